#include "platform/OpenPanel.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

namespace platform {
namespace {

// Qt's own file dialog (not the desktop's, which cannot carry the accessory box), window-modal like a sheet.
class QtOpenPanelPresenter : public OpenPanelPresenter {
  public:
    void beginSheet(const OpenPanelOptions& options, QWidget* parent, Done done) override {
        auto* dialog = new QFileDialog(parent, options.title, options.directory);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog->setOption(QFileDialog::ReadOnly, !options.canCreateDirectories);
        if (options.canChooseDirectories && !options.canChooseFiles) {
            dialog->setFileMode(QFileDialog::Directory);
            dialog->setOption(QFileDialog::ShowDirsOnly, true);
        } else {
            dialog->setFileMode(options.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                                : QFileDialog::ExistingFile);
        }
        if (!options.allowedExtensions.isEmpty()) {
            QStringList patterns;
            for (const QString& extension : options.allowedExtensions)
                patterns.append(QStringLiteral("*.") + extension);
            dialog->setNameFilter(patterns.join(QLatin1Char(' ')));
        }
        if (!options.prompt.isEmpty()) dialog->setLabelText(QFileDialog::Accept, options.prompt);
        QCheckBox* accessory = nullptr;
        if (!options.accessoryCheckBox.isEmpty()) {
            accessory = new QCheckBox(options.accessoryCheckBox, dialog);
            accessory->setChecked(options.accessoryChecked);
            accessory->setToolTip(options.accessoryToolTip);
            if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
                grid->addWidget(accessory, grid->rowCount(), 0, 1, grid->columnCount());
        }
        dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
        QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, accessory, done](int code) {
            OpenPanelResult result;
            result.accepted = code == QDialog::Accepted;
            if (result.accepted) result.paths = dialog->selectedFiles();
            result.accessoryChecked = accessory && accessory->isChecked();
            if (done) done(result);
        });
        dialog->open();
    }
};

OpenPanelPresenter* g_installed = nullptr;

}  // namespace

OpenPanelPresenter& OpenPanelPresenter::shared() {
    static QtOpenPanelPresenter own;
    return g_installed ? *g_installed : own;
}

void OpenPanelPresenter::install(OpenPanelPresenter* presenter) {
    g_installed = presenter;
}

}  // namespace platform

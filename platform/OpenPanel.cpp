#include "platform/OpenPanel.h"

#include "platform/UniformTypes.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSet>

#include <memory>

namespace platform {
namespace {

QString nameFilter(const OpenPanelOptions& options) {
    QSet<QString> extensions;
    for (const QString& extension : options.allowedExtensions) extensions.insert(extension.toLower());
    if (options.allowsImageFiles) {
        for (const QString& extension : UniformTypes::imageExtensions()) extensions.insert(extension);
    }
    if (extensions.isEmpty()) return {};
    QStringList patterns;
    for (const QString& extension : std::as_const(extensions)) patterns.append(QStringLiteral("*.") + extension);
    patterns.sort();
    return patterns.join(QLatin1Char(' '));
}

// The rows selected in the dialog's file list, as paths, in the order the list shows them.
QStringList selectedPaths(const QAbstractItemView* list) {
    const auto* model = qobject_cast<const QFileSystemModel*>(list->model());
    if (!model) return {};
    QModelIndexList rows = list->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex& row : rows) paths.append(model->filePath(row));
    return paths;
}

// Qt's file dialog in files mode opens a chosen folder instead of returning it. For a panel that chooses
// files and folders together, its confirming button takes the selection as it stands; a name typed into
// the name field goes the dialog's own way.
void chooseFilesAndFolders(QFileDialog* dialog, const QString& prompt, std::shared_ptr<QStringList> chosen) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QPushButton* confirm = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!buttons || !list || !confirm) return;
    // The dialog names its button "Open" while a folder is selected; here that button adds the folder.
    if (!prompt.isEmpty()) {
        auto keepPrompt = [confirm, prompt] { confirm->setText(prompt); };
        QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, confirm, keepPrompt);
        if (name) QObject::connect(name, &QLineEdit::textChanged, confirm, keepPrompt);
    }
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, dialog, nullptr);
    QDialog* asDialog = dialog;  // the file dialog hides these behind protected overrides
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [asDialog, list, chosen] {
        const QStringList paths = selectedPaths(list);
        if (paths.isEmpty()) {
            asDialog->accept();
            return;
        }
        *chosen = paths;
        asDialog->done(QDialog::Accepted);
    });
}

// In a folder chooser, Enter on a folder selected in the list or named in the name field (its completion list
// open or not) chooses it, as the confirming button does; Qt's dialog would open the folder instead. A double
// click still opens it.
class ChooseFolderOnEnter : public QObject {
  public:
    // views: the dialog's list and detail views, whichever shows.
    ChooseFolderOnEnter(QFileDialog* dialog, const QList<QAbstractItemView*>& views, QLineEdit* name,
                        std::shared_ptr<QStringList> chosen)
        : QObject(dialog), m_dialog(dialog), m_views(views), m_name(name), m_chosen(std::move(chosen)) {
        for (QAbstractItemView* view : views) view->installEventFilter(this);
        if (!name) return;
        name->installEventFilter(this);
        if (name->completer() && name->completer()->popup()) {
            m_completions = name->completer()->popup();
            m_completions->installEventFilter(this);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        QStringList paths;
        if (auto* view = qobject_cast<QAbstractItemView*>(watched); view && m_views.contains(view)) {
            paths = selectedPaths(view);
        } else if (watched == m_name || watched == m_completions) {
            QString text = m_name->text();
            if (watched == m_completions && m_completions->currentIndex().isValid())
                text = m_completions->currentIndex().data().toString();
            const QString named = QDir(m_dialog->directory().absolutePath()).absoluteFilePath(text);
            if (!text.isEmpty() && QFileInfo(named).isDir()) paths = {QDir::cleanPath(named)};
        }
        if (paths.isEmpty()) return false;
        *m_chosen = paths;
        static_cast<QDialog*>(m_dialog)->done(QDialog::Accepted);
        return true;
    }

  private:
    QFileDialog* m_dialog;
    QList<QAbstractItemView*> m_views;
    QLineEdit* m_name;
    QAbstractItemView* m_completions = nullptr;
    std::shared_ptr<QStringList> m_chosen;
};

// Qt's own file dialog (not the desktop's, which cannot carry the accessory box), window-modal like a sheet.
class QtOpenPanelPresenter : public OpenPanelPresenter {
  public:
    void beginSheet(const OpenPanelOptions& options, QWidget* parent, Done done) override {
        auto* dialog = new QFileDialog(parent, options.title, options.directory);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog->setOption(QFileDialog::ReadOnly, !options.canCreateDirectories);
        if (!options.prompt.isEmpty()) dialog->setLabelText(QFileDialog::Accept, options.prompt);
        auto chosen = std::make_shared<QStringList>();
        if (options.canChooseDirectories && !options.canChooseFiles) {
            dialog->setFileMode(QFileDialog::Directory);
            dialog->setOption(QFileDialog::ShowDirsOnly, true);
            QList<QAbstractItemView*> views;
            for (const char* name : {"listView", "treeView"}) {
                if (auto* view = dialog->findChild<QAbstractItemView*>(QLatin1String(name))) views.append(view);
            }
            new ChooseFolderOnEnter(dialog, views, dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")),
                                    chosen);
        } else {
            dialog->setFileMode(options.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                                : QFileDialog::ExistingFile);
            if (options.canChooseDirectories) chooseFilesAndFolders(dialog, options.prompt, chosen);
        }
        if (const QString filter = nameFilter(options); !filter.isEmpty()) dialog->setNameFilter(filter);
        QCheckBox* accessory = nullptr;
        if (!options.accessoryCheckBox.isEmpty()) {
            accessory = new QCheckBox(options.accessoryCheckBox, dialog);
            accessory->setChecked(options.accessoryChecked);
            accessory->setToolTip(options.accessoryToolTip);
            if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
                grid->addWidget(accessory, grid->rowCount(), 0, 1, grid->columnCount());
        }
        dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
        QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, accessory, chosen, done](int code) {
            OpenPanelResult result;
            result.accepted = code == QDialog::Accepted;
            if (result.accepted) result.paths = chosen->isEmpty() ? dialog->selectedFiles() : *chosen;
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

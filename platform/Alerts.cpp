#include "platform/Alerts.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::Icon iconFor(Alert::Style style) {
    switch (style) {
        case Alert::Style::Informational:
            return QMessageBox::Information;
        case Alert::Style::Critical:
            return QMessageBox::Critical;
        case Alert::Style::Warning:
            break;
    }
    return QMessageBox::Warning;
}

// Alerts as Qt message boxes, window-modal over the parent like a sheet.
class QtAlertPresenter : public AlertPresenter {
  public:
    void beginSheet(const Alert& alert, QWidget* parent, Done done) override {
        auto* box = new QMessageBox(iconFor(alert.style), QString(), alert.messageText, QMessageBox::NoButton, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setInformativeText(alert.informativeText);
        box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
        QList<QAbstractButton*> buttons;
        const QStringList titles = alert.buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : alert.buttons;
        for (const QString& title : titles) {
            QPushButton* button = box->addButton(title, QMessageBox::AcceptRole);
            buttons.append(button);
        }
        box->setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
        if (alert.escapeButton >= 0 && alert.escapeButton < buttons.size())
            box->setEscapeButton(buttons.at(alert.escapeButton));
        if (!alert.suppressionText.isEmpty()) box->setCheckBox(new QCheckBox(alert.suppressionText, box));
        QObject::connect(box, &QMessageBox::finished, box, [box, buttons, done] {
            AlertAnswer answer;
            answer.button = int(buttons.indexOf(box->clickedButton()));
            answer.suppressed = box->checkBox() && box->checkBox()->isChecked();
            if (done) done(answer);
        });
        box->open();
    }
};

AlertPresenter* g_installed = nullptr;

}  // namespace

AlertPresenter& AlertPresenter::shared() {
    static QtAlertPresenter own;
    return g_installed ? *g_installed : own;
}

void AlertPresenter::install(AlertPresenter* presenter) {
    g_installed = presenter;
}

}  // namespace platform

#include "editor/RenameResetQuestion.h"

#include "editor/AddPhotosOptions.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"

void RenameResetQuestion::ask(QWidget* parent, platform::UserDefaults& defaults,
                              std::function<void(bool yes)> answered) {
    platform::Alert alert;
    alert.messageText = QStringLiteral("RESET RENAMING OPTIONS");
    alert.informativeText = QStringLiteral(
        "Adding or removing photos resets the renaming options you have chosen. Do you wish to proceed?");
    alert.buttons = {QStringLiteral("Yes"), QStringLiteral("No")};
    alert.suppressionText = QStringLiteral("Don't ask me again");
    platform::AlertPresenter::shared().beginSheet(
        alert, parent, [&defaults, answered = std::move(answered)](const platform::AlertAnswer& answer) {
            if (answer.suppressed) {
                defaults.setValue(AddPhotosOptions::notShowRenameResetPopupKey(), true);
                defaults.synchronize();
            }
            if (answered) answered(answer.button == 0);
        });
}

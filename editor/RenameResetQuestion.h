#pragma once

#include <functional>

class QWidget;

namespace platform {
class UserDefaults;
}

// The question asked before adding or removing photos would throw away the renaming choices; its answer is
// Yes (go on and reset them) or No (keep them and drop the action). A ticked "don't ask" box is stored on
// either answer under "notShowRenameResetPopup", and the question is not asked again.
class RenameResetQuestion {
  public:
    static const char* defaultsKey() { return "notShowRenameResetPopup"; }

    // Custom renaming counts as active when the edit-names option is on while the page is open, or the
    // renaming notice is showing; the question is asked then unless the user said not to.
    static bool isNeeded(bool editNamesOn, bool pageOpen, bool noticeShowing, const platform::UserDefaults& defaults);
    // showAlertForResetRename.
    static void ask(QWidget* parent, platform::UserDefaults& defaults, std::function<void(bool yes)> answered);
};

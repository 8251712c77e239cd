#pragma once

#include <functional>

class QWidget;

namespace platform {
class UserDefaults;
}

// The question asked before adding or removing photos would throw away the renaming choices (when to ask is
// AddPhotosOptions::asksRenamingReset); its answer is Yes (go on and reset them) or No (keep them and drop
// the action). A ticked "don't ask" box is stored on either answer, and the question is not asked again.
class RenameResetQuestion {
  public:
    // showAlertForResetRename.
    static void ask(QWidget* parent, platform::UserDefaults& defaults, std::function<void(bool yes)> answered);
};

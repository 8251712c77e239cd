#pragma once

#include "intake/IntakeCounters.h"
#include "model/EditorAlertTag.h"

// Which closing alert an add operation raises; its words are the batch layer's (EditorAlert), made from the
// operation's counters.
class IntakeAlert {
  public:
    // Duplicates first, then refused files, else nothing new (showPromptForDamagedFiles).
    static EditorAlertTag showPromptForDamagedFiles(const IntakeCounters& counters);
};

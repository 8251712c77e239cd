#pragma once

#include "intake/IntakeAlert.h"
#include "intake/IntakeCounters.h"

#include <optional>

// What the main thread does once an add operation's photos are in the batch, decided from the
// operation's counters alone so that the screen only carries it out.
struct IntakeHandBackPlan {
    bool resetMetadataChanged = false;  // the batch is empty: nothing left to be edited
    bool hideLoader = false;
    std::optional<EditorAlertTag> alert;
    bool disableRemoveButton = false;
    bool runAfterChangeSetup = false;  // processAfterAllPhotosAdded

    // counters: the finished operation's; batchIsEmpty: after its photos were appended.
    static IntakeHandBackPlan choose(const IntakeCounters& counters, bool batchIsEmpty);
};

#include "intake/IntakeHandBackPlan.h"

IntakeHandBackPlan IntakeHandBackPlan::choose(const IntakeCounters& counters, bool batchIsEmpty) {
    IntakeHandBackPlan plan;
    plan.resetMetadataChanged = batchIsEmpty;
    if (counters.isMAX_PHOTOS_LIMIT_EXCEEDED) {
        plan.hideLoader = true;
        plan.alert = AlertPhotosLimitExceeded;
        plan.runAfterChangeSetup = true;
        return plan;
    }
    const bool somethingRefused = counters.isPhotosAlreadyAdded || counters.isPhotoFormatNotSupported;
    if (counters.totalPhotoToAdd != 0) {
        if (somethingRefused) {
            plan.hideLoader = true;
            plan.alert = IntakeAlert::showPromptForDamagedFiles(counters);
        }
        plan.runAfterChangeSetup = true;
        return plan;
    }
    // Nothing joined: the screen keeps its state and only says why.
    plan.hideLoader = true;
    plan.disableRemoveButton = true;
    plan.alert = IntakeAlert::showPromptForDamagedFiles(counters);
    return plan;
}

#include "intake/IntakeAlert.h"

EditorAlertTag IntakeAlert::showPromptForDamagedFiles(const IntakeCounters& counters) {
    if (counters.isPhotosAlreadyAdded) return AlertPhotosExist;
    if (counters.isPhotoFormatNotSupported) return AlertFilesCannotBeAdded;
    return AlertNoPhotosToAdd;
}

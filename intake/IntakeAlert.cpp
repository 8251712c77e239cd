#include "intake/IntakeAlert.h"

EditorAlertTag IntakeAlert::showPromtForDamagedFiles(const IntakeCounters& counters) {
    if (counters.isPhotosAlreadyAdded) return AlertPhotosExist;
    if (counters.isPhotoFormatNotSupported) return AlertFilesCannotBeAdded;
    return AlertNoPhotosToAdd;
}

#include "intake/IntakeAlert.h"

IntakeAlert IntakeAlert::limitExceeded(int limit) {
    return {PhotosLimitExceeded, QStringLiteral("Photos Limit Exceeded").toUpper(),
            QStringLiteral("Photo limit exceeded! A Batch of %1 photos can be processed at a time.").arg(limit)};
}

IntakeAlert IntakeAlert::filesCannotBeAdded(const IntakeCounters& counters) {
    // Every plural of this alert follows the number of files refused, so that "Some files" never meets
    // "It is" and an add of one refused file among many added ones still reads in the singular.
    const bool several = counters.damagedFileCount >= 2;
    const QString title = QStringLiteral("File%1 cannot be added").arg(several ? "s" : "");
    const QString text = QStringLiteral("%1 cannot be added. %2 either damaged or not supported by application.")
                             .arg(several ? "Some files" : "File", several ? "They are" : "It is");
    return {FilesCannotBeAdded, title.toUpper(), text};
}

IntakeAlert IntakeAlert::photosExist(const IntakeCounters& counters) {
    const bool several = counters.alreadyExistsPhotosCount >= 2;
    const QString title = QStringLiteral("Photo%1 Exists").arg(several ? "s" : "");
    const QString text =
        QStringLiteral("Photo%1 already exist%2 in batch!").arg(several ? "s" : "", several ? "" : "s");
    return {PhotosExist, title.toUpper(), text};
}

IntakeAlert IntakeAlert::noPhotosToAdd() {
    return {NoPhotosToAdd, QStringLiteral("No Photos to Add").toUpper(),
            QStringLiteral("There are no new photos to add")};
}

IntakeAlert IntakeAlert::showPromtForDamagedFiles(const IntakeCounters& counters) {
    if (counters.isPhotosAlreadyAdded) return photosExist(counters);
    if (counters.isPhotoFormatNotSupported) return filesCannotBeAdded(counters);
    return noPhotosToAdd();
}

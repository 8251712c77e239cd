#include "batch/EditorAlert.h"

namespace {

using Button = EditorAlert::Button;

// The alerts whose words never change.
struct FixedAlert {
    EditorAlertTag tag;
    const char* title;
    bool upperCased;
    const char* text;
    bool yesNo;  // Yes and No; otherwise OK (103 has its own button)
};

const FixedAlert kFixedAlerts[] = {
    {AlertStartProcess, "START PROCESS", false,
     "All the EXIF related changes will be applied to the entire batch of selected photos. Do you wish to proceed?",
     true},
    {AlertRestoreExifData, "RESTORE EXIF DATA", false,
     "All the applied EXIF related changes will be reverted back to original. Do you still wish to restore?", true},
    {AlertNotEnoughSpace, "NOT ENOUGH SPACE", false, "Destination directory doesn't have enough space.", false},
    {AlertRemoveFromBatch, "REMOVE FROM BATCH", false, "This photo is not available at the Source location.", false},
    {AlertFeedback, "FEEDBACK", false, "Feedback submitted successfully!", false},
    {AlertNoPhotosToAdd, "No Photos to Add", true, "There are no new photos to add", false},
    {AlertNoChangesInExifData, "No Changes in EXIF data", true,
     "There are no changes observed in the EXIF data. Do you still wish to proceed?", true},
    {AlertErrorsFound, "Errors Found", true, "Cannot process EXIF info changes! Please check for error messages.",
     false},
    {AlertNoRenamingOption, "Warning Found", false,
     "No renaming option selected! Your files will be saved with their original filename. Do you wish to proceed?",
     true},
    {AlertFilenameBlank, "Warning Found", false, "Filename can not be blank.", false},
    {AlertPrefixOrSuffixBlank, "Warning Found", false, "Prefix or Suffix can not be blank.", false},
};

QString plural(bool several) {
    return several ? QStringLiteral("s") : QString();
}

EditorAlert counted(EditorAlertTag tag, const QString& title, const QString& text, QList<Button> buttons) {
    return {tag, title.toUpper(), text, std::move(buttons)};
}

QString refusedFilesText(const EditorAlertCounts& counts) {
    // Every plural here follows the number of files refused, so that "Some files" never meets "It is" and one
    // refused file among many added ones still reads in the singular.
    const bool several = counts.damagedFileCount >= 2;
    const int unreadable = counts.unreadableNameCount;
    const QString opening =
        several ? QStringLiteral("Some files cannot be added.") : QStringLiteral("File cannot be added.");
    // Such a name cannot be held as text without changing it, so the file could never be found again by it;
    // calling it damaged would send the user looking in the wrong place.
    if (unreadable > 0 && unreadable >= counts.damagedFileCount) {
        return opening + (several
                              ? QStringLiteral(" Their names cannot be read. Please rename them and add them again.")
                              : QStringLiteral(" Its name cannot be read. Please rename it and add it again."));
    }
    QString text = opening + (several ? QStringLiteral(" They are") : QStringLiteral(" It is")) +
                   QStringLiteral(" either damaged or not supported by application.");
    if (unreadable == 1) {
        text += QStringLiteral(" The name of 1 file cannot be read. Please rename it and add it again.");
    } else if (unreadable > 1) {
        text += QStringLiteral(" The names of ") + QString::number(unreadable) +
                QStringLiteral(" files cannot be read. Please rename them and add them again.");
    }
    return text;
}

std::optional<EditorAlert> countedAlert(int tag, const EditorAlertCounts& counts) {
    const QList<Button> ok{Button::OK};
    switch (tag) {
        case AlertRemovePhotos: {
            const QString s = plural(counts.totalPhotosSelected >= 2);
            return counted(AlertRemovePhotos, QStringLiteral("Remove Photo") + s,
                           QStringLiteral("Remove Photo") + s +
                               QStringLiteral("! All your changes to exif info will be lost. Do you wish to proceed?"),
                           {Button::Yes, Button::No});
        }
        case AlertPhotosLimitExceeded:
            return counted(AlertPhotosLimitExceeded, QStringLiteral("Photos Limit Exceeded"),
                           QStringLiteral("Photo limit exceeded! A Batch of ") + QString::number(counts.photosLimit) +
                               QStringLiteral(" photos can be processed at a time."),
                           ok);
        case AlertFilesCannotBeAdded:
            return counted(
                AlertFilesCannotBeAdded,
                QStringLiteral("File") + plural(counts.damagedFileCount >= 2) + QStringLiteral(" cannot be added"),
                refusedFilesText(counts), ok);
        case AlertPhotosExist: {
            const bool several = counts.alreadyExistsPhotosCount >= 2;
            return counted(AlertPhotosExist, QStringLiteral("Photo") + plural(several) + QStringLiteral(" Exists"),
                           QStringLiteral("Photo") + plural(several) + QStringLiteral(" already exist") +
                               plural(!several) + QStringLiteral(" in batch!"),
                           ok);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<EditorAlert> EditorAlert::forTag(int tag, const EditorAlertCounts& counts) {
    if (std::optional<EditorAlert> alert = countedAlert(tag, counts)) return alert;
    for (const FixedAlert& fixed : kFixedAlerts) {
        if (fixed.tag != tag) continue;
        const QString title = QString::fromUtf8(fixed.title);
        QList<Button> buttons{Button::OK};
        if (fixed.yesNo) buttons = {Button::Yes, Button::No};
        if (fixed.tag == AlertRemoveFromBatch) buttons = {Button::RemoveFromBatch};
        return EditorAlert{fixed.tag, fixed.upperCased ? title.toUpper() : title, QString::fromUtf8(fixed.text),
                           buttons};
    }
    return std::nullopt;
}

QString EditorAlert::buttonTitle(Button button) {
    switch (button) {
        case Button::Yes:
            return QStringLiteral("Yes");
        case Button::No:
            return QStringLiteral("No");
        case Button::OK:
            return QStringLiteral("OK");
        case Button::RemoveFromBatch:
            return QStringLiteral("Remove from batch");
    }
    return {};
}

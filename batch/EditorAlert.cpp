#include "batch/EditorAlert.h"

#include <algorithm>

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

// One reason for some of the refused files: the words for all of them, for one file, or for a count of them.
struct Reason {
    int count;
    const char* all;
    const char* allSeveral;
    const char* one;
    const char* someBefore;  // the count stands between these two
    const char* someAfter;
};

QString reasonText(const Reason& reason, int refused) {
    if (reason.count <= 0) return {};
    if (reason.count >= refused) return QString::fromUtf8(refused >= 2 ? reason.allSeveral : reason.all);
    if (reason.count == 1) return QString::fromUtf8(reason.one);
    return QString::fromUtf8(reason.someBefore) + QString::number(reason.count) + QString::fromUtf8(reason.someAfter);
}

QString refusedFilesText(const EditorAlertCounts& counts) {
    // Every plural here follows the number of files refused, so that "Some files" never meets "It is" and one
    // refused file among many added ones still reads in the singular.
    const int refused = counts.damagedFileCount;
    const bool several = refused >= 2;
    // A name that cannot be held as text, a file the metadata library stopped on, a library another program
    // holds: calling any of them damaged or unsupported would send the user looking in the wrong place.
    const Reason reasons[] = {
        {counts.unreadableNameCount, " Its name cannot be read. Please rename it and add it again.",
         " Their names cannot be read. Please rename them and add them again.",
         " The name of 1 file cannot be read. Please rename it and add it again.", " The names of ",
         " files cannot be read. Please rename them and add them again."},
        {counts.failedReadCount,
         " Its metadata could not be read: the metadata library stopped on it twice, so it may be damaged.",
         " Their metadata could not be read: the metadata library stopped on them twice, so they may be damaged.",
         " The metadata of 1 file could not be read: the metadata library stopped on it twice, so it may be "
         "damaged.",
         " The metadata of ",
         " files could not be read: the metadata library stopped on them twice, so they may be "
         "damaged."},
        {counts.lockedLibraryCount,
         " The photo library is locked by another program. Please quit that program and add the library again.",
         " The photo libraries are locked by other programs. Please quit those programs and add the libraries "
         "again.",
         " A photo library is locked by another program. Please quit that program and add the library again.", " ",
         " photo libraries are locked by other programs. Please quit those programs and add the libraries again."},
    };
    int explained = 0;
    for (const Reason& reason : reasons) explained += std::max(0, reason.count);
    QString text = several ? QStringLiteral("Some files cannot be added.") : QStringLiteral("File cannot be added.");
    if (explained < refused) {
        text += (several ? QStringLiteral(" They are") : QStringLiteral(" It is")) +
                QStringLiteral(" either damaged or not supported by application.");
    }
    for (const Reason& reason : reasons) text += reasonText(reason, refused);
    return text;
}

// The run was refused because no copy could be written; the advice follows where the copies were to go.
QString unwritableFolderText(const EditorAlertCounts& counts) {
    const QString folder = QStringLiteral("Lumarind cannot write into the folder \"") + counts.unwritableFolder;
    switch (counts.unwritableDestination) {
        case CopyDestination::SourceFolders:
            return folder + QStringLiteral(
                                "\" or any other folder of the photos, so no photo was processed. Please "
                                "check that the photos' folders can be written to.");
        case CopyDestination::EarlierCopies:
            return folder + QStringLiteral(
                                "\" or any other folder of the processed copies, so no photo was "
                                "restored. Please check that those folders still exist and can be "
                                "written to.");
        case CopyDestination::ChosenFolder:
            break;
    }
    return folder + QStringLiteral("\", so no photo was processed. Please choose a folder you can write to.");
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
        case AlertFolderNotWritable:
            return counted(AlertFolderNotWritable, QStringLiteral("Cannot Write to Folder"),
                           unwritableFolderText(counts), ok);
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

#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "model/EditorAlertTag.h"

// Where the copies of a run go: into the folder the user chose, beside their sources ("Keep Source Folder
// Path"), or over the copies of the last run (Restore).
enum class CopyDestination { ChosenFolder, SourceFolders, EarlierCopies };

// What some alert texts read: the photos ticked in the form, what the latest add met, where a run could not
// write.
struct EditorAlertCounts {
    int totalPhotosSelected = 0;
    int totalPhotoToAdd = 0;
    int damagedFileCount = 0;  // every file an add refused, duplicates and the reasons below included
    int alreadyExistsPhotosCount = 0;
    int unreadableNameCount = 0;  // refused because their names are not valid text
    int failedReadCount = 0;      // refused because the metadata library stopped on them twice
    int lockedLibraryCount = 0;   // photo libraries another program kept locked
    QString unwritableFolder{};   // where a run could not write
    // Where its copies were to go: only a folder the user chose can be chosen anew.
    CopyDestination unwritableDestination = CopyDestination::ChosenFolder;
    int photosLimit = 0;  // the most photos one add may bring
};

// One numbered alert of the editing screen as it is shown: the title (already upper-cased where it is shown
// so), the text and the buttons, in the order they stand. Made from counts alone, so the screen only shows it.
struct EditorAlert {
    enum class Button { Yes, No, OK, RemoveFromBatch };

    EditorAlertTag tag = AlertStartProcess;
    QString title;
    QString text;
    QList<Button> buttons;

    // Nothing for a number without an alert (105, or outside 100 to 116).
    static std::optional<EditorAlert> forTag(int tag, const EditorAlertCounts& counts = {});
    static QString buttonTitle(Button button);
};

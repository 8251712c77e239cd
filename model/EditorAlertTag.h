#pragma once

// EditorAlertTag: the number of each question and notice of the editing screen. The photo intake raises
// 107 to 110, the batch run and the form the others; the title, text and buttons of each are the batch
// layer's (EditorAlert). 105 has no alert.
enum EditorAlertTag : int {
    AlertStartProcess = 100,
    AlertRestoreExifData = 101,
    AlertNotEnoughSpace = 102,
    AlertRemoveFromBatch = 103,
    AlertFeedback = 104,
    AlertRemovePhotos = 106,
    AlertPhotosLimitExceeded = 107,
    AlertFilesCannotBeAdded = 108,
    AlertPhotosExist = 109,
    AlertNoPhotosToAdd = 110,
    AlertNoChangesInExifData = 111,
    AlertErrorsFound = 112,
    AlertNoRenamingOption = 113,
    AlertFilenameBlank = 114,
    AlertPrefixOrSuffixBlank = 115,
    AlertFolderNotWritable = 116,
};

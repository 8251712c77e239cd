#pragma once

// The numbers that travel between the writer, the batch run, the photo items and the stored presets. They
// are stored and compared as plain ints (a preset archive holds the editing option, a photo its status), so
// these are unscoped enumerations over int.

// ExifWriteErrorFlag: what a write answers with.
enum ExifWriteErrorFlag : int {
    ExifWriteSucceeded = 0,
    ExifWriteSourceMissing = 1,  // the photo's file is gone
    ExifWriteFailed = 2,         // unsupported, damaged, refused, changed since it was added, or not written
    // The copy WAS written (its processed path is set and a restore can go over it), so the run counts the
    // photo as processed; the summary lists it among its warnings, because a raw file's camera make and model
    // were left as the file had them instead of taking the edited values.
    ExifWriteRawCameraKept = 7,
    ExifWriteAccessDenied = 8,  // the source cannot be read, or the destination cannot be written
};

// PhotoProcessStatus: the outcome a photo item shows after a run. A failed photo carries the writer's flag
// (1, 2, 7 or 8) unchanged; the renaming warnings of a run carry their own two codes.
enum PhotoProcessStatus : int {
    StatusNone = ExifWriteSucceeded,
    StatusDateNotFoundForRenaming = 10,
    StatusLocationNotFoundForRenaming = 11,
};

// MetadataEditingOption: how a write treats the fields the user did not edit.
enum MetadataEditingOption : int {
    OnlyModifyEditedFields = 0,   // "Only modify fields that I edit and keep others as it is"
    ModifyEditedClearOthers = 1,  // "Modify fields that I edit and clear others"
    CleanMetadataInfo = 2,        // "Clean Metadata info"
};

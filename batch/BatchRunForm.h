#pragma once

#include <vector>

#include "batch/BatchRunner.h"

// What a batch run needs of the editing form: its state and records, the ticked photos, and the steps it
// takes on the form before and after a run. The editing screen implements it; tests use a plain double.
class BatchRunForm {
  public:
    virtual ~BatchRunForm() = default;

    // ---- State ----
    virtual bool isValidFormData() = 0;  // shows the field messages as it checks
    // What Start does with these renaming choices after checking the form: 0 opens the destination panel,
    // otherwise the alert to show (112 to 115).
    virtual int startDecision(const OutputRenamingOptions& options) = 0;
    virtual bool isParamsChanged() const = 0;
    virtual bool isMetaDataResetEnable() const = 0;
    virtual bool isStartEnabled() const = 0;
    virtual bool isOnRenamingPage() const = 0;
    virtual bool isRestoreEnabled() const = 0;
    virtual bool isBatchEmpty() const = 0;
    // The renaming page's choices with the destination (getOutputFileRenamingSetting).
    virtual OutputRenamingOptions renamingOptions(int destinationFolderCheck, const QString& outputFolder) const = 0;
    virtual MetaDataObject metaDataObject() const = 0;
    virtual MetaDataObject metaDataObjectBeforeSaving() const = 0;
    virtual MetaDataObject createUpdatedChangesOnly() = 0;
    // The ticked photos of the batch, in batch order.
    virtual std::vector<PhotoFile> tickedPhotos() const = 0;

    // ---- Steps ----
    // The answers of the run that just ended go onto the batch items they were made from.
    virtual void applyRunResults(const BatchRunner& runner) = 0;
    virtual void enableDragAndDrop(bool enable) = 0;
    // Blocks (false) or frees the editing screen while a sheet is up.
    virtual void enableView(bool enable) = 0;
    virtual void setPresetsAndNextEnabled(bool enable) = 0;
    virtual void setRestoreEnabled(bool enable) = 0;
    virtual void setResetEnabled(bool enable) = 0;
    // A new empty pending-edit record and no pending edits.
    virtual void dropPendingEdits() = 0;
    virtual void highlightBorders() = 0;
    // Reloads the form from the ticked photos.
    virtual void setupUIForSelectedPhotoFiles() = 0;
    virtual void isMetadataParamChanged(bool changed) = 0;
    virtual void processAfterAllPhotosAdded() = 0;
    virtual void deleteSelectedPhotos() = 0;
    // Removes from the batch the photos whose files are gone.
    virtual void btnRemoveFromBatchTapped() = 0;
};

#pragma once

#include <QString>
#include <QStringList>

#include "batch/DateRuleChecks.h"

class QWidget;
class RenamingOptionsPanel;

// What the batch side (EditorBatchActions) needs of the editing screen: what it asks about the screen's state
// and the steps it takes on it. The editing screen implements it; tests can use a plain double.
class BatchActionsScreen {
  public:
    virtual ~BatchActionsScreen() = default;

    // ---- Questions ----
    virtual int totalPhotosSelected() const = 0;
    virtual bool isStartEnabled() const = 0;
    virtual bool isRestoreEnabled() const = 0;
    // The form's checks, which show the messages of the fields that fail.
    virtual bool isValidFormData() = 0;
    virtual QString selectedOutputFolder() const = 0;
    virtual const QStringList& arrYearsValues() const = 0;
    // Whether the change held for the renaming page's reset question is a removal (else it is an add).
    virtual bool isHoldingRemoval() const = 0;

    // ---- Where the batch side's views go ----
    // The renaming page covers the form's fields while it is shown.
    virtual void placeRenamingPage(RenamingOptionsPanel& page) = 0;
    // A row of its own right above the buttons; it takes no room while the widget is hidden.
    virtual void insertAboveButtons(QWidget* widget) = 0;

    // ---- Steps ----
    virtual void enableView(bool enabled) = 0;
    virtual void enableDragAndDrop(bool enabled) = 0;
    virtual void enableScrollView(bool enabled) = 0;
    virtual void disableEnableAllButtonsWhenDropdownOpen(bool disable) = 0;
    virtual void setPresetsAndNextEnabled(bool enabled) = 0;
    virtual void setNextEnabled(bool enabled) = 0;
    virtual void setRestoreEnabled(bool enabled) = 0;
    virtual void setResetEnabled(bool enabled) = 0;
    // The form's fields give way to the renaming page (false) or come back (true).
    virtual void showFormFields(bool shown) = 0;
    // The renaming button's image tells whether the copies will be renamed.
    virtual void showRenamingOnNext(bool customRenaming) = 0;
    // A date field's message after the date checks.
    virtual void showDateLabel(const QString& fieldName, DateRuleChecks::Label state) = 0;
    virtual void highlightBorders() = 0;
    // Reloads the form from the ticked photos.
    virtual void setupUIForSelectedPhotoFiles() = 0;
    virtual void processAfterAllPhotosAdded() = 0;
    virtual void deleteSelectedPhotos() = 0;
    // Removes from the batch the photos whose files are gone.
    virtual void removeMissingPhotos() = 0;
    // Yes to the renaming page's reset question: the held add or removal goes on. No: it is dropped.
    virtual void resumeHeldChange() = 0;
    virtual void dropHeldChange() = 0;
};

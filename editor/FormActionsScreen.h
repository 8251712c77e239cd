#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include "model/PhotoFile.h"

// What the form's actions (EditorFormActions) need of the editing screen: what they ask about its state and
// the steps they take on it. The editing screen implements it; tests can use a plain double.
class FormActionsScreen {
  public:
    virtual ~FormActionsScreen() = default;

    // ---- Questions ----
    virtual int totalPhotosSelected() const = 0;
    // Non-zero while the renaming page is shown.
    virtual int onImageRenameOptionPage() const = 0;
    // Whether a change of the batch must first ask the renaming page's reset question.
    virtual bool isCustomRenamingAskingReset() const = 0;
    // The text a field shows, as the form's checks read it.
    virtual QString fieldText(const QString& fieldName) const = 0;

    // ---- The form ----
    // Blocks (false) or frees the screen while a window of the form is up.
    virtual void enableView(bool enabled) = 0;
    // A window of the form closed: the screen is given back.
    virtual void windowWillClose() = 0;
    virtual void hideAllErrorLabels() = 0;
    // Shows a field's error label, with labelText unless that is null.
    virtual void showFieldError(const QString& fieldName, const QString& labelText) = 0;
    virtual void scrollToField(const QString& fieldName) = 0;
    virtual void clearPlaceholders(const QStringList& fieldNames) = 0;
    // Ends any typing in a field.
    virtual void endFieldEditing() = 0;
    virtual void setPresetsAndNextEnabled(bool enabled) = 0;

    // ---- The photo list ----
    // The photo menu at location (in the photo table's holder's coordinates).
    virtual void openPhotoMenu(const QPointF& location, bool isFromRightMouseDown) = 0;
    virtual void showPhotoMissingAlert() = 0;
    virtual void addMetaDataPopupWithIndex(int row) = 0;
    // The menu's removal waits for the renaming page's reset question, which resumes it on Yes.
    virtual void holdRemovalByMenuForResetQuestion() = 0;
    virtual void photoRowChanged(int row) = 0;
    virtual void reloadPhotoList() = 0;
    virtual void setupUIForSelectedPhotoFiles(const QList<PhotoFile>& photos) = 0;
    virtual void processAfterAllPhotosAdded() = 0;
    virtual void checkAllPhotosDeletedFromArray() = 0;
    virtual void showLoading(bool show, const QString& text) = 0;
};

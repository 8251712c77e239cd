#pragma once

#include <QObject>
#include <QPointF>
#include <QString>

#include "editor/EditSession.h"
#include "editor/EditorSharedState.h"
#include "editor/FormActionsScreen.h"
#include "editor/GpsFields.h"
#include "editor/GpsMapController.h"

class QWidget;

// The editing screen's form half, kept beside the screen: Apply and Revert, the editing option and clear
// switches, the form checks, the map window and GPS fields, the presets and the photo list's actions. It
// changes the form's records through the edit session and asks the screen through FormActionsScreen.
class EditorFormActions : public QObject {
    Q_OBJECT
  public:
    // owner: the widget the half's sheets and windows open over; it also takes the screen's keys.
    EditorFormActions(EditSession& session, FormActionsScreen& screen, EditorSharedState& shared, QWidget* owner);
    ~EditorFormActions() override;

    GpsMapController& gpsMap() { return *m_gpsMap; }

    // ---- Apply, Revert, the form checks ----
    // Apply is offered while there are edits to apply; Revert while the form is not what the selection was
    // before editing, so it still takes an applied form back.
    bool isApplyOffered() const;
    bool isRevertOffered() const;
    void btnApplyMetaDataTapped();
    // Asks before reverting; Yes reverts.
    void btnRevertTapped();
    void btnYesOnRevertAlertTapped();
    // Hands a revert asked for from outside the form to whoever listens (btnRevertMetaDataInfoTapped).
    void resetMetadata() { emit revertMetaDataInfoRequested(); }
    // The gate of Apply and of every batch start: the first failing field shows its error label.
    bool isValidFormData();

    // ---- Editing option, clear switches, presets ----
    void changeViewAccordingToMetadataOtion(int option);
    void clearSwitchTicked(MetadataClearSwitch clearSwitch, bool on);
    void changeViewAccordingToPresetSelected(int row);
    void addPresetWindow();
    void btnApplyPresetTapped(int index);
    // A choice in one of the screen's lists whose action lives here (editing options, presets, photo and
    // metadata menus).
    void onPopupChoice(int type, int row);

    // ---- Photo list ----
    void btnCheckBoxSelect(int row);
    void btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row, bool isFromRightMouseDown);
    void btnOnMenuOptionTapped(int row);
    void removePhotoForMenuOption();
    void btnOnMetadataMenuOptionTapped(int row);
    void markUnmarkAll();
    // Select All in the photo list: every photo ticked (nothing changes when all are).
    void tickAllPhotos();
    void btnRemoveFromBatchTapped();
    int selectedMenuFileIndexPath() const { return m_selectedMenuFileIndexPath; }

  signals:
    // Apply found invalid fields (btnErrorsFoundInExifFrom).
    void errorsFoundInForm();
    // resetMetadata was sent; the form works without a listener.
    void revertMetaDataInfoRequested();
    // The preset list window opens over the screen (the presets screen answers with btnApplyPresetTapped).
    void presetEditorRequested();
    // The more-options menu's "Reset": the batch screen's btnResetTapped.
    void resetRequested();
    // The missing photos were removed and the screen rebuilt.
    void missingPhotosRemoved(int count);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Presets and Next follow the ticks, as after a tick of one row.
    void followTicks();
    void showGpsFields(const GpsFields::Shown& shown, bool clearPlaceholders);

    EditSession& m_session;
    FormActionsScreen& m_screen;
    EditorSharedState& m_shared;
    QWidget* m_owner;
    GpsMapController* m_gpsMap;
    int m_selectedMenuFileIndexPath = -1;
};

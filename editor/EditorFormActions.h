#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "editor/EditSession.h"
#include "editor/GpsFields.h"
#include "editor/GpsMapController.h"

class ExifEditorView;
class QPushButton;

// The editing screen's second half, kept beside the screen: Apply and Revert, the editing option and clear
// switches, the form checks, the map window and GPS fields, the preset popup and the photo list's actions.
// It listens to the screen's signals and buttons and works on the screen's records through an edit session.
class EditorFormActions : public QObject {
    Q_OBJECT
  public:
    explicit EditorFormActions(ExifEditorView& view);
    ~EditorFormActions() override;

    EditSession& session() { return m_session; }
    GpsMapController& gpsMap() { return *m_gpsMap; }
    QPushButton* btnApply() const { return m_btnApply; }
    QPushButton* btnRevert() const { return m_btnRevert; }

    // ---- Changed fields, Apply, Revert, the form checks ----
    void createUpdatedChangesOnly() { m_session.createUpdatedChangesOnly(); }
    void btnApplyMetaDataTapped();
    // Asks before reverting; Yes reverts.
    void btnRevertTapped();
    void btnYesOnRevertAlertTapped();
    // Hands a revert asked for from outside the form to whoever listens (btnRevertMetaDataInfoTapped).
    void resetMetadata() { emit revertMetaDataInfoRequested(); }
    // The gate of Apply and of every batch start: the first failing field shows its error label.
    bool isValidFormData();
    // Records the unsaved-edit state and shows it (Reset enabled, Apply and Revert offered).
    void isMetadataParamChanged(bool changed);

    // ---- Editing option and clear switches ----
    void btnEditingOptionTapped(QWidget* button);
    void changeViewAccordingToMetadataOtion(int option);
    void clearSwitchTicked(MetadataClearSwitch clearSwitch, bool on);
    void resizeEditingOptionsViewWithAnimation();

    // ---- Presets ----
    void btnPresetTapped();
    void changeViewAccordingToPresetSelected(int row);
    void addPresetWindow();
    void btnApplyPresetTapped(int index);

    // ---- Photo list ----
    void btnCheckBoxSelect(int row);
    void btnInfoTappedAtLocationInTableView(const QPointF& location, qint64 row, bool isFromRightMouseDown);
    void btnOnMenuOptionTapped(int row);
    void removePhotoForMenuOption();
    void btnMetaMoreOptionsTapped();
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
    void addApplyRevertButtons();
    // Presets and Next follow the ticks, as after a tick of one row.
    void followTicks();
    void showGpsFields(const GpsFields::Shown& shown, bool clearPlaceholders);
    void onPopupChoice(int type, int row);
    void openList(int type, const QStringList& rows, const QRectF& frame, const QPointF& anchor,
                  const QRectF& opener = {});
    QPointF topInView(QWidget* widget) const;

    ExifEditorView& m_view;
    EditSession m_session;
    GpsMapController* m_gpsMap;
    QPushButton* m_btnApply = nullptr;
    QPushButton* m_btnRevert = nullptr;
    int m_selectedMenuFileIndexPath = -1;
};

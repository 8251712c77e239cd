#pragma once

#include "editor/BatchActionsScreen.h"
#include "editor/DropdownCodeTables.h"
#include "editor/EditSession.h"
#include "editor/EditorSharedState.h"
#include "editor/FormActionsScreen.h"
#include "editor/FormFieldTraits.h"
#include "editor/LoaderAnimation.h"
#include "editor/SelectionMerge.h"
#include "intake/PhotoImportTask.h"
#include "intake/ThumbnailCache.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "platform/Notification.h"

#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class DisableScrollView;
class EditorBatchActions;
class EditorFormActions;
class DragDropBox;
class EditingOptionSection;
class LoaderOverlay;
class MetadataSection;
class OptionPopup;
class PhotoIntake;
class PhotoTableModel;
class PhotoTableView;
class PresetStore;
class QLabel;
class QLineEdit;
class QPushButton;
class RenamingOptionsPanel;
class SelectionReload;
class SubWindowState;
class ThumbnailLoader;

// The main editing screen: the photo list of the batch on the left, the metadata form of the ticked photos
// on the right. A thin screen: the form's records live in its edit session, whose signals it follows; the
// form's fields are section widgets driven by the model's key table; the merge, placeholders, display forms,
// checks and code tables are widget-free classes it calls; its two halves (the form's actions and the batch
// side) ask it what they need through FormActionsScreen and BatchActionsScreen. All its operations run on the
// main thread.
class ExifEditorView : public QWidget, private FormActionsScreen, private BatchActionsScreen {
    Q_OBJECT
  public:
    using SharedState = EditorSharedState;

    // Waits the screen keeps; tests shorten them (0 runs at the next turn of the event loop).
    struct Timing {
        int disableViewInitiallyMs = 200;
        int thumbnailSettleMs = 200;
        int loaderFrameMs = LoaderAnimation::kFrameIntervalMs;
        int buttonsAfterPopupMs = 300;
        int textViewSaveMs = 100;
    };

    explicit ExifEditorView(SharedState shared, QWidget* parent = nullptr);
    ~ExifEditorView() override;

    void setTiming(const Timing& timing);
    // The intake's limit, photo maker and threads for later adds.
    void setIntakeSettings(PhotoImportTask::Settings settings);
    PhotoIntake& intake() const { return *m_intake; }
    ThumbnailLoader& thumbnailLoader() const { return *m_thumbnails; }
    ThumbnailCache& dictPhotoImages() { return m_dictPhotoImages; }
    SelectionReload& selectionReload() const { return *m_reload; }

    // ---- Set-up and the selection road ----
    void initSetup();
    void setupViewNotification() { initSetup(); }
    void viewWillDisappear() {}
    // A feedback upload went through: the screen says so once whatever posted the news has finished.
    void feedbackSubmittedSuccessfully();
    void handleSubmitFeedBack_MainThread();
    // Reloads the form for photos (the ticked ones, in batch order); the merge runs off the main thread and
    // only the latest reload's result is shown.
    void setupUIForSelectedPhotoFiles(const QList<PhotoFile>& photos) override;
    void loadCountries();
    void loadYearsArrayValues();
    void scrollViewToTop();
    void addSubviews();
    void disableViewInitially();
    void enableDisableRenameOptionButton();
    // The merge of the ticked photos; the caller assigns its result (on the main thread).
    static std::optional<SelectionMerge::Result> updateMetaDataObjectForSelectedFiles(const QList<PhotoFile>& photos);
    void setTextFieldsPlaceholder(int photoCount, const SelectionMerge::FieldSet& heldByAny);
    // The hints of the latest selection again, after the form's record changed beneath them (Revert, a
    // preset): a field no edit holds any longer says "Multiple values" where the photos disagree.
    void refreshPlaceholders();

    // ---- Display, borders, editing ----
    void updateTextFieldsValues(const MetaDataObject& record);
    // Shows record's values in the fields which picks; every other field keeps what it shows.
    void updateTextFieldsValues(const MetaDataObject& record, const std::function<bool(const FormFieldTraits&)>& which);
    void highlightBorder(const MetaDataObject& record);
    void setTextFieldValidations();
    void setViewForSelectedIndex(int index);
    bool isValidText(const QString& text, const QString& fieldName) const;
    void hideAllErrorLabels() override;
    void enableScrollView(bool enabled) override;
    // Brings a field of the form into view with its label and message.
    void scrollToField(const QString& fieldName) override;
    void setToolTips();
    // The field panel or the clear ticks, as the form's editing option wants them.
    void resizeEditingOptionsViewWithAnimation();

    // ---- Dropdowns and the option popup ----
    void btnDropDownTapped(int tag, QWidget* sender);
    void btnEditingOptionTapped(QWidget* button);
    void btnPresetTapped();
    void btnMetaMoreOptionsTapped();
    // Tag 16 answers the preset names; every tag outside 0 to 14 and 16 answers nothing.
    QStringList getArrayForDropDownOptionsForTag(int tag) const;
    QStringList getArrayForDropDownOptionsValuesForTag(int tag) const;
    QString getValueForOption(int tag, const MetaDataObject& record) const {
        return m_tables.labelForRecord(tag, record);
    }
    // Opens the shared list (its type and size set before) at point, in this screen's coordinates, never over
    // opener (the control that opened it, in the same coordinates).
    void addAttachedPopupTableAtPoint(const QPointF& point, const QRectF& opener = {});
    void addAttachedPopupTableAtPoint2(const QPointF& point);
    void removeAttachedPopupWindow();
    void removeAttachedPopupWindow2();
    void dismissPanel();
    void enableAllButtonsAfterDelay();
    void disableEnableAllButtonsWhenDropdownOpen(bool disable) override;
    // A click on row of the open list (first or second table).
    void popupOptionTapped(int row);
    void popupOption2Tapped(int row);

    // ---- Adding photos ----
    void handleFileDragDropNotification(const platform::Notification& notification);
    void btnAddPhotosTapped();
    void popupAddPhotosTappedWithIndex(int index);
    void addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto);
    void processAfterAllPhotosAdded() override;
    void selectAllTableViewCellAndReload();
    void btnStopProcessTapped();
    // The screen's one alert sheet for every numbered alert (EditorAlertTag); nothing while another sheet or
    // child window is open.
    void showAlertWithTag(int tag);
    // The renaming page's question before an add or a removal goes on (see renameResetQuestionRequested).
    void showAlertForResetRename();

    // ---- Loader, thumbnails, the info popup, removal ----
    void showLoading(bool show, const QString& text) override;
    void performLoaderAnimationWithCounter();
    void enableView(bool enabled) override;
    void enableExifDataView(bool enabled);
    void enableDragAndDrop(bool enabled) override;
    void tableviewPhotosBoundDidChange();
    void loadTableViewThumbnailImages();
    void doubleClick(int row);
    void addMetaDataPopupWithIndex(int row) override;
    void addInfoPopupWindowAtPoint(const QPointF& point);
    void removeInfoPopupWindow();
    void windowWillClose() override;
    void btnRemovePhotosTapped();
    void hideNoNewPhotosAlertWindow(bool hide);
    void deleteSelectedPhotos() override;
    void removePhotosForRemoveButton();
    void checkAllPhotosDeletedFromArray() override;
    // Alert 103: the photo's file is gone; its one button removes every photo whose file is gone.
    void showPhotoMissingAlert() override;

    // ---- State ----
    // The form's records and the unsaved-edit flag, all held by the edit session.
    EditSession& session() { return m_session; }
    const MetaDataObject& metaDataObject() const { return m_session.metaDataObject(); }
    const MetaDataObject& editedMetaDataObject() const { return m_session.editedMetaDataObject(); }
    const MetaDataObject& metaDataObjectBeforeSaving() const { return m_session.metaDataObjectBeforeSaving(); }
    const MetaDataObject& metaDataObjectWithUpdatedChange() const {
        return m_session.metaDataObjectWithUpdatedChange();
    }
    bool isEditedMetadataObject() const { return m_session.isEditedMetadataObject(); }
    bool isParamsChanged() const { return m_session.isParamsChanged(); }
    bool isMetaDataResetEnable() const { return m_session.isMetaDataResetEnable(); }
    bool isProcessingWithFileSystem() const { return m_isProcessingWithFileSystem; }
    int totalPhotosSelected() const override { return m_totalPhotosSelected; }
    int flagCurrentAttachPopupType() const { return m_flagCurrentAttachPopupType; }
    void setFlagCurrentAttachPopupType(int type) { m_flagCurrentAttachPopupType = type; }
    bool isPhotoMenuFromRightMouseDown() const { return m_isPhotoMenuFromRightMouseDown; }
    void setIsPhotoMenuFromRightMouseDown(bool right) { m_isPhotoMenuFromRightMouseDown = right; }
    int alertTag() const { return m_alertTag; }
    const DropdownCodeTables& codeTables() const { return m_tables; }
    const QStringList& arrCountryCode() const { return m_tables.arrCountryCode(); }
    const QStringList& arrCountryCodeValues() const { return m_tables.arrCountryCodeValues(); }
    const QStringList& arrYearsValues() const override { return m_arrYearsValues; }
    QString selectedOutputFolder() const override { return m_selectedOutputFolder; }
    QString outputFolderLocationPath() const { return m_outputFolderLocationPath; }
    QStringList& arrTempPhotosUrlsForResetRename() { return m_arrTempPhotosUrlsForResetRename; }
    bool isRemovingPhotosFromRename() const { return m_isRemovingPhotosFromRename; }
    bool isRemovingPhotosByMenuOption() const { return m_isRemovingPhotosByMenuOption; }
    void setRemovalFlags(bool fromRename, bool byMenuOption);
    // The renaming page's state the add and remove roads ask (kept by the batch side).
    int onImageRenameOptionPage() const override;
    bool isCustomRenamingAskingReset() const override;
    SharedState& shared() { return m_shared; }
    // Apply and Revert, the options, the map, the presets and the photo list's actions.
    EditorFormActions& formActions() const { return *m_formActions; }
    // Start, the renaming page, the run's sheets, Restore and Reset, the date panel and the alert sheet.
    EditorBatchActions& batchActions() const { return *m_batchActions; }

    // ---- Controls ----
    DragDropBox* leftBox() const { return m_leftBox; }
    PhotoTableView* tblPhotos() const { return m_tblPhotos; }
    PhotoTableModel* photoModel() const { return m_photoModel; }
    QLabel* lblPhotosCount() const { return m_lblPhotosCount; }
    QPushButton* btnAddPhoto() const { return m_btnAddPhoto; }
    QPushButton* btnRemovePhoto() const { return m_btnRemovePhoto; }
    QPushButton* btnstopOnAddPhotos() const { return m_btnStop; }
    QPushButton* btnPresets() const { return m_btnPresets; }
    QPushButton* btnMetadataMoreOptions() const { return m_btnMetadataMoreOptions; }
    QPushButton* btnShowMap() const { return m_btnShowMap; }
    QPushButton* btnApply() const { return m_btnApply; }
    QPushButton* btnRevert() const { return m_btnRevert; }
    QPushButton* btnReset() const { return m_btnReset; }
    QPushButton* btnRestore() const { return m_btnRestore; }
    QPushButton* btnNext() const { return m_btnNext; }
    QPushButton* btnProcess() const { return m_btnProcess; }
    DisableScrollView* scrollViewExifData() const { return m_scrollViewExifData; }
    QWidget* vwMetaContainer() const { return m_vwMetaContainer; }
    QWidget* vwExif() const { return m_vwExif; }
    EditingOptionSection* editingOptionSection() const { return m_editingOption; }
    const QList<MetadataSection*>& sections() const { return m_sections; }
    MetadataSection* sectionOf(const QString& fieldName) const;
    QLineEdit* textField(const QString& fieldName) const;
    QLabel* errorLabel(const QString& fieldName) const;
    QWidget* viewWithTag(int tag) const;
    LoaderOverlay* vwLoading() const { return m_vwLoading; }
    bool isLoaderRunning() const { return m_loaderTimer.isActive(); }
    OptionPopup* optionPopup() const { return m_popup; }
    OptionPopup* optionPopup2() const { return m_popup2; }
    QWidget* winMetadataPopup() const { return m_winMetadataPopup; }
    DisableScrollView* scrollViewMetadataPopup() const { return m_scrollViewMetadataPopup; }
    // A row of its own right above the buttons, at the right end; it takes no room while widget is hidden.
    void insertAboveButtons(QWidget* widget) override;
    // The metadata popup's content (MetaDataPopupView) goes into its scroll view.
    void setMetadataPopupContent(QWidget* content);

  signals:
    // The renaming page asks its reset question; it resumes the held add (arrTempPhotosUrlsForResetRename)
    // or removal (the removal flags) on Yes and drops it on No.
    void renameResetQuestionRequested();
    // A choice in a list whose action lives beyond this screen's own roads (editing options 15, presets 16,
    // photo menu 18, metadata menu 19, date lists 20 to 22, renaming lists 25 to 27); the popup is closed
    // already, except for the date lists.
    void popupChoice(int type, int row);
    // A single click on a photo row (btnCheckBoxSelect) and the row's menu (btnInfoTapped...).
    void photoRowClicked(int row);
    void photoMenuRequested(const QPointF& location, qint64 row, bool isFromRightMouseDown);
    // A date field's button (tag 250 + DateTimeFieldIndex).
    void dateFieldTapped(int dateIndex, QWidget* button);
    // The editing-option button and the clear ticks.
    void editingOptionTapped(QWidget* button);
    // The answer to the alert of a photo whose file has gone (btnRemoveFromBatchTapped).
    void removeMissingPhotosRequested();
    // An add panel opened or closed (the application's Select All menu item follows it).
    void addPanelOpened(bool open);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildScreen();
    QWidget* buildTopBar();
    QWidget* buildForm();
    void buildMetadataPopup();
    void connectParts();
    void connectHalves();
    void applySelection(quint64 generation, const SelectionMerge::Result& result);
    void storeEdit(const FormFieldTraits* field, const QString& value);
    // What the form shows follows the edit session.
    void showRecord(const MetaDataObject& shown);
    void showField(const MetadataKeyRow& row);
    void followUnsavedState(bool changed);
    void addWithRenamingCheck(const QStringList& paths);
    void placeOverlay();
    void refreshPhotosCount();
    void tickAll();
    void takeFocusFromForm();

    // ---- FormActionsScreen ----
    QString fieldText(const QString& fieldName) const override;
    void showFieldError(const QString& fieldName, const QString& labelText) override;
    void clearPlaceholders(const QStringList& fieldNames) override;
    void endFieldEditing() override;
    void setPresetsAndNextEnabled(bool enabled) override;
    void openPhotoMenu(const QPointF& location, bool isFromRightMouseDown) override;
    void holdRemovalByMenuForResetQuestion() override;
    void photoRowChanged(int row) override;
    void reloadPhotoList() override;

    // ---- BatchActionsScreen ----
    bool isStartEnabled() const override;
    bool isRestoreEnabled() const override;
    bool isValidFormData() override;
    bool isHoldingRemoval() const override { return m_isRemovingPhotosFromRename; }
    void placeRenamingPage(RenamingOptionsPanel& page) override;
    void setNextEnabled(bool enabled) override;
    void setRestoreEnabled(bool enabled) override;
    void setResetEnabled(bool enabled) override;
    void showFormFields(bool shown) override;
    void showRenamingOnNext(bool customRenaming) override;
    void showDateLabel(const QString& fieldName, DateRuleChecks::Label state) override;
    void highlightBorders() override;
    void setupUIForSelectedPhotoFiles() override;
    void removeMissingPhotos() override;
    void resumeHeldChange() override;
    void dropHeldChange() override;

    SharedState m_shared;
    EditSession m_session;
    DropdownCodeTables m_tables;
    Timing m_timing;

    const MetadataKeyRow* m_fieldBeingStored = nullptr;  // the edit a field reports, which it shows already
    bool m_isProcessingWithFileSystem = false;
    bool m_mergeLoaderShown = false;  // the loader went up for a large merge still to land
    bool m_formEnabled = false;
    int m_totalPhotosSelected = 0;
    // Which fields some ticked photo holds a value for, from the latest merge (the placeholders' basis).
    int m_mergedPhotoCount = 0;
    SelectionMerge::FieldSet m_heldByAny;
    int m_flagCurrentAttachPopupType = 0;
    bool m_isPhotoMenuFromRightMouseDown = false;
    int m_alertTag = 0;
    QStringList m_arrYearsValues;
    QString m_selectedOutputFolder;
    QString m_outputFolderLocationPath;
    QStringList m_arrTempPhotosUrlsForResetRename;
    bool m_isRemovingPhotosFromRename = false;
    bool m_isRemovingPhotosByMenuOption = false;

    // Workers and their helpers.
    ThumbnailCache m_dictPhotoImages;
    PhotoIntake* m_intake = nullptr;  // the application's, or one of the screen's own
    ThumbnailLoader* m_thumbnails = nullptr;
    SelectionReload* m_reload = nullptr;
    LoaderAnimation m_loaderAnimation;
    QTimer m_loaderTimer;
    QTimer m_initialTimer;  // the screen's first disabling, a moment after creation

    // Controls.
    DragDropBox* m_leftBox = nullptr;
    QWidget* m_topBar = nullptr;
    QWidget* m_body = nullptr;
    QLabel* m_lblPhotosCount = nullptr;
    QPushButton* m_btnAddPhoto = nullptr;
    QPushButton* m_btnRemovePhoto = nullptr;
    QPushButton* m_btnStop = nullptr;
    QPushButton* m_btnPresets = nullptr;
    QPushButton* m_btnMetadataMoreOptions = nullptr;
    QPushButton* m_btnShowMap = nullptr;
    QPushButton* m_btnApply = nullptr;
    QPushButton* m_btnRevert = nullptr;
    QPushButton* m_btnReset = nullptr;
    QPushButton* m_btnRestore = nullptr;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnProcess = nullptr;
    PhotoTableView* m_tblPhotos = nullptr;
    PhotoTableModel* m_photoModel = nullptr;
    DisableScrollView* m_scrollViewExifData = nullptr;
    QWidget* m_vwMetaContainer = nullptr;
    QWidget* m_vwExif = nullptr;
    EditingOptionSection* m_editingOption = nullptr;
    QList<MetadataSection*> m_sections;
    LoaderOverlay* m_vwLoading = nullptr;
    OptionPopup* m_popup = nullptr;
    OptionPopup* m_popup2 = nullptr;
    QPointer<QWidget> m_winMetadataPopup;
    DisableScrollView* m_scrollViewMetadataPopup = nullptr;
    EditorFormActions* m_formActions = nullptr;
    EditorBatchActions* m_batchActions = nullptr;
};

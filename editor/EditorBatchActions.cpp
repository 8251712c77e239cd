#include "editor/EditorBatchActions.h"

#include "batch/DateRulePanel.h"
#include "batch/ExifPhotoWriter.h"
#include "controls/DisableScrollView.h"
#include "editor/BatchRunScreen.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditorFormActions.h"
#include "editor/EditorResources.h"
#include "editor/ExifEditorView.h"
#include "editor/ImageToggleButton.h"
#include "editor/RenameResetQuestion.h"
#include "editor/RenamingOptionsPanel.h"
#include "editor/StartDecision.h"
#include "intake/PhotoAcceptance.h"
#include "intake/PhotoIntake.h"
#include "platform/UserDefaults.h"
#include "platform/WallClock.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

BatchRunner::Services withDefaults(BatchRunner::Services services) {
    if (!services.writer) services.writer = ExifPhotoWriter::make();
    return services;
}

}  // namespace

EditorBatchActions::EditorBatchActions(ExifEditorView& view, BatchRunner::Services services)
    : QObject(&view), m_view(view) {
    m_screen = new BatchRunScreen(*this, &view, withDefaults(std::move(services)), view.shared().subWindow);
    QWidget* area = view.scrollViewExifData();
    m_page = new RenamingOptionsPanel(area->parentWidget());
    m_page->setCoverArea(area);
    m_datePanel = new DateTimeRulesPanel(&view);
    buildRenameToast();
    connectParts();
}

EditorBatchActions::~EditorBatchActions() = default;

BatchRunController& EditorBatchActions::controller() const {
    return m_screen->controller();
}

void EditorBatchActions::buildRenameToast() {
    m_toast = new QWidget(&m_view);
    m_toast->setObjectName(QStringLiteral("vwRenameToast"));
    m_toast->setAttribute(Qt::WA_StyledBackground);
    m_toast->setStyleSheet(
        QStringLiteral("#vwRenameToast { background: #f39c12; border-radius: 3px; }"
                       "QLabel { color: white; }"
                       "QPushButton { color: white; border: none; background: transparent;"
                       " font-weight: bold; padding: 0 4px; }"));
    auto* row = new QHBoxLayout(m_toast);
    row->setContentsMargins(8, 2, 2, 2);
    row->addWidget(new QLabel(QStringLiteral("Output files will be renamed"), m_toast));
    auto* close = new QPushButton(QStringLiteral("\u00D7"), m_toast);
    close->setObjectName(QStringLiteral("btnCloseOnToast"));
    close->setToolTip(QStringLiteral("Keep the original file names"));
    close->setCursor(Qt::PointingHandCursor);
    row->addWidget(close);
    connect(close, &QPushButton::clicked, this, &EditorBatchActions::btnCloseOnToastTapped);
    // Above the buttons rather than among them: at the window's smallest size the row of buttons leaves it
    // no room, and its text would be cut.
    m_view.insertAboveButtons(m_toast);
    m_toast->hide();
}

void EditorBatchActions::connectParts() {
    connect(m_view.btnProcess(), &QPushButton::clicked, this, &EditorBatchActions::btnProcessTapped);
    connect(m_view.btnNext(), &QPushButton::clicked, this, &EditorBatchActions::btnNextTapped);
    connect(m_view.btnRestore(), &QPushButton::clicked, &controller(), &BatchRunController::btnRestoreTapped);
    connect(m_view.btnReset(), &QPushButton::clicked, &controller(), &BatchRunController::btnResetTapped);
    connect(&m_view.formActions(), &EditorFormActions::resetRequested, &controller(),
            &BatchRunController::btnResetTapped);
    connect(&m_view.formActions(), &EditorFormActions::errorsFoundInForm, this,
            [this] { showAlertWithTag(AlertErrorsFound); });
    connect(&m_view, &ExifEditorView::dateFieldTapped, this, &EditorBatchActions::btnDatePickerTapped);
    connect(&m_view, &ExifEditorView::renameResetQuestionRequested, this, &EditorBatchActions::showAlertForResetRename);
    connect(m_datePanel, &DateTimeRulesPanel::ruleApplied, this, &EditorBatchActions::ruleApplied);
    connect(m_datePanel, &DateTimeRulesPanel::closed, this, &EditorBatchActions::popupClosed);
    connect(m_page, &RenamingOptionsPanel::alertRequested, this, &EditorBatchActions::showAlertWithTag);
    connect(m_page, &RenamingOptionsPanel::pageLeft, this, &EditorBatchActions::pageLeft);
    connect(m_page, &RenamingOptionsPanel::pageShown, this, [this] {
        m_view.vwMetaContainer()->hide();
        if (m_view.totalPhotosSelected() != 0) m_view.btnNext()->setEnabled(false);
        syncRenamingState();
    });
    connect(m_page, &RenamingOptionsPanel::pageHidden, this, [this] {
        m_view.vwMetaContainer()->show();
        if (m_view.totalPhotosSelected() != 0) m_view.btnNext()->setEnabled(true);
        syncRenamingState();
    });
    connect(m_page, &RenamingOptionsPanel::dropdownOpened, this,
            [this] { m_page->disableEnableAllButtonsWhenDropdownOpen(true); });
    connect(m_page, &RenamingOptionsPanel::dropdownClosed, this, &EditorBatchActions::popupClosed);
    for (ImageToggleButton* radio : {m_page->btnKeepOriginalFileName(), m_page->btnEditOriginalName()})
        connect(radio, &QAbstractButton::clicked, this, &EditorBatchActions::syncRenamingState);
    connect(m_page, &RenamingOptionsPanel::outputFolderChosen, &controller(), &BatchRunController::setOutputFolder);
}

void EditorBatchActions::syncRenamingState() {
    m_view.setOnImageRenameOptionPage(m_page->onImageRenameOptionPage());
    m_view.setEditNameOptionOn(m_page->page().imageRenamingOptions == OutputRenamingOptions::NewFileName);
    m_view.setRenameToastVisible(!m_toast->isHidden());
}

void EditorBatchActions::popupClosed() {
    m_view.enableScrollView(true);
    // The controls come back a moment after the popup went, so the closing click cannot press one of them.
    QTimer::singleShot(300, this, [this] {
        if (m_datePanel->isOpen() || m_page->isListOpen()) return;
        m_page->disableEnableAllButtonsWhenDropdownOpen(false);
        m_view.disableEnableAllButtonsWhenDropdownOpen(false);
    });
}

void EditorBatchActions::initSetup() {
    m_page->closeAndReset();
    setRenameToastVisible(false);
    setNextImage(false);
    m_datePanel->initSetup(m_view.arrYearsValues(), platform::GregorianCalendar::nowOnWallClock());
    controller().setOutputFolder(m_view.selectedOutputFolder());
    controller().resetPlaceCache();
    m_page->setOutputFolderText(m_view.selectedOutputFolder());
    syncRenamingState();
}

void EditorBatchActions::showAlertWithTag(int tag) {
    const IntakeCounters& added = m_view.intake().counters();
    EditorAlertCounts counts;
    counts.totalPhotosSelected = m_view.totalPhotosSelected();
    counts.totalPhotoToAdd = added.totalPhotoToAdd;
    counts.damagedFileCount = added.damagedFileCount;
    counts.alreadyExistsPhotosCount = added.alreadyExistsPhotosCount;
    counts.unreadableNameCount = added.unreadableNameCount;
    counts.failedReadCount = added.failedReadCount;
    counts.lockedLibraryCount = added.lockedLibraryCount;
    counts.photosLimit = MAX_PHOTOS_LIMIT;
    m_screen->showAlertWithTag(tag, counts);
}

// ---- Buttons ----

void EditorBatchActions::btnProcessTapped() {
    if (m_view.btnProcess()->isEnabled()) controller().btnProcessTapped();
}

void EditorBatchActions::btnNextTapped() {
    if (!m_view.btnProcess()->isEnabled()) return;
    if (!isValidFormData()) {
        showAlertWithTag(AlertErrorsFound);
        return;
    }
    addExtentionView();
}

void EditorBatchActions::addExtentionView() {
    m_view.btnProcess()->show();
    m_view.btnNext()->show();
    m_view.btnNext()->setEnabled(false);
    setRenameToastVisible(false);
    setNextImage(m_page->page().imageRenamingOptions == OutputRenamingOptions::NewFileName);
    setPresetsAndNextEnabled(false);
    m_page->hideShowSettingViewWithAnimation(false);
    syncRenamingState();
}

void EditorBatchActions::pageLeft(bool showNotice) {
    if (m_view.totalPhotosSelected() != 0) setPresetsAndNextEnabled(true);
    setRenameToastVisible(showNotice);
    setNextImage(showNotice);
    syncRenamingState();
}

void EditorBatchActions::btnCloseOnToastTapped() {
    m_page->refreshOutputRenamingOptionOnTapped();
    setNextImage(false);
    setRenameToastVisible(false);
    syncRenamingState();
}

void EditorBatchActions::setNextImage(bool customRenaming) {
    const QString image =
        customRenaming ? QStringLiteral("rename_option_Edit_normal") : QStringLiteral("rename_option_normal");
    m_view.btnNext()->setIcon(EditorResources::icon(image, QSize(18, 18)));
    m_view.btnNext()->setProperty("imageName", image);
}

void EditorBatchActions::setRenameToastVisible(bool visible) {
    m_toast->setVisible(visible);
    m_view.setRenameToastVisible(visible);
}

void EditorBatchActions::btnStopProcessTapped() {
    controller().btnStopProcessTapped();
}

// ---- Dates ----

void EditorBatchActions::btnDatePickerTapped(int dateIndex, QWidget* button) {
    m_view.enableScrollView(false);
    m_datePanel->btnDatePickerTapped(button, DateRulePanel::kFirstFieldTag + dateIndex,
                                     DateRulePanel::ruleOf(m_view.metaDataObject(), dateIndex));
    m_view.disableEnableAllButtonsWhenDropdownOpen(true);
}

void EditorBatchActions::ruleApplied(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary) {
    DateRulePanel::storeRule(m_view.metaDataObject(), m_view.editedMetaDataObject(), fieldIndex, rule, summary);
    // The field shows the rule from the form's record, as every later refill of the form will: a summary
    // parked in the placeholder would outlive the rule (a preset replaces it) and promise a change the
    // run no longer makes.
    const QString fieldName = DateRulePanel::fieldName(fieldIndex);
    m_view.updateTextFieldsValues(
        m_view.metaDataObject(), [&fieldName](const FormFieldTraits& field) { return field.fieldName() == fieldName; });
    m_view.highlightBorder(m_view.metaDataObject());
    m_view.setIsEditedMetadataObject(true);
    m_view.formActions().isMetadataParamChanged(true);
    showDateWarningIfGreaterThanToday();
}

void EditorBatchActions::showDateWarningIfGreaterThanToday() {
    const DateRulePanel::Labels labels =
        DateRulePanel::dateLabels(m_view.metaDataObject(), platform::GregorianCalendar::nowOnWallClock());
    for (int i = 0; i < DateRulePanel::kFieldCount; ++i) {
        if (QLabel* label = m_view.errorLabel(DateRulePanel::fieldName(i))) {
            DateTimeRulesPanel::showDateLabel(label, labels[static_cast<std::size_t>(i)]);
        }
    }
}

// ---- The renaming-reset question ----

void EditorBatchActions::showAlertForResetRename() {
    m_view.enableView(false);
    m_view.enableDragAndDrop(false);
    RenameResetQuestion::ask(&m_view, platform::UserDefaults::standardUserDefaults(), [this](bool yes) {
        if (yes) {
            btnYesOnResetRenameTapped();
        } else {
            btnNoOnResetRenameTapped();
        }
    });
}

void EditorBatchActions::btnYesOnResetRenameTapped() {
    const bool removing = m_view.isRemovingPhotosFromRename();
    const bool byMenu = m_view.isRemovingPhotosByMenuOption();
    m_view.setRemovalFlags(false, false);
    m_view.shared().subWindow.setIsSubWindowOpened(false);
    m_view.enableDragAndDrop(true);
    m_view.enableView(true);
    if (removing) {
        if (byMenu) {
            m_view.formActions().removePhotoForMenuOption();
        } else {
            m_view.removePhotosForRemoveButton();
        }
    } else {
        // An add closes the page first: the photos it brings reset the choices anyway.
        m_page->closeAndReset();
        setRenameToastVisible(false);
        setNextImage(false);
        m_view.btnNext()->show();
        m_view.btnNext()->setEnabled(true);
        syncRenamingState();
        m_view.addPhotosFromPathUrls(m_view.arrTempPhotosUrlsForResetRename(), false);
    }
    setupUIForSelectedPhotoFiles();
}

void EditorBatchActions::btnNoOnResetRenameTapped() {
    m_view.shared().subWindow.setIsSubWindowOpened(false);
    m_view.enableView(true);
    m_view.enableDragAndDrop(true);
    if (m_page->onImageRenameOptionPage() != 0) setPresetsAndNextEnabled(false);
    m_view.setRemovalFlags(false, false);
    m_view.arrTempPhotosUrlsForResetRename().clear();
}

// ---- What the run asks of the form ----

bool EditorBatchActions::isValidFormData() {
    return m_view.formActions().isValidFormData();
}

int EditorBatchActions::startDecision(const OutputRenamingOptions& options) {
    const RenamingPage& page = m_page->page();
    return StartDecision::decide(isValidFormData(), options, page.customName, page.prefix, page.suffix);
}

bool EditorBatchActions::isParamsChanged() const {
    return m_view.isParamsChanged();
}

bool EditorBatchActions::isMetaDataResetEnable() const {
    return m_view.isMetaDataResetEnable();
}

bool EditorBatchActions::isStartEnabled() const {
    return m_view.btnProcess()->isEnabled();
}

bool EditorBatchActions::isOnRenamingPage() const {
    return m_page->onImageRenameOptionPage() != 0;
}

bool EditorBatchActions::isRestoreEnabled() const {
    return m_view.btnRestore()->isEnabled();
}

bool EditorBatchActions::isBatchEmpty() const {
    return m_view.shared().arraySelectedImagesToProcess.isEmpty();
}

OutputRenamingOptions EditorBatchActions::renamingOptions(int destinationFolderCheck,
                                                          const QString& outputFolder) const {
    return m_page->page().getOutputFileRenamingSetting(destinationFolderCheck, outputFolder);
}

MetaDataObject EditorBatchActions::metaDataObject() const {
    return m_view.metaDataObject();
}

MetaDataObject EditorBatchActions::metaDataObjectBeforeSaving() const {
    return m_view.metaDataObjectBeforeSaving();
}

MetaDataObject EditorBatchActions::createUpdatedChangesOnly() {
    m_view.formActions().createUpdatedChangesOnly();
    return m_view.metaDataObjectWithUpdatedChange();
}

std::vector<PhotoFile> EditorBatchActions::tickedPhotos() const {
    std::vector<PhotoFile> ticked;
    for (const PhotoFile& photo : m_view.shared().arraySelectedImagesToProcess) {
        if (photo.isSelected) ticked.push_back(photo);
    }
    return ticked;
}

void EditorBatchActions::applyRunResults(const BatchRunner& runner) {
    runner.applyResultsTo(m_view.shared().arraySelectedImagesToProcess);
}

void EditorBatchActions::enableDragAndDrop(bool enable) {
    m_view.enableDragAndDrop(enable);
}

void EditorBatchActions::enableView(bool enable) {
    m_view.enableView(enable);
}

void EditorBatchActions::setPresetsAndNextEnabled(bool enable) {
    m_view.btnPresets()->setEnabled(enable);
    m_view.btnNext()->setEnabled(enable);
}

void EditorBatchActions::setRestoreEnabled(bool enable) {
    m_view.btnRestore()->setEnabled(enable);
}

void EditorBatchActions::setResetEnabled(bool enable) {
    m_view.btnReset()->setEnabled(enable);
}

void EditorBatchActions::dropPendingEdits() {
    m_view.formActions().session().dropPendingEdits();
}

void EditorBatchActions::highlightBorders() {
    m_view.highlightBorder(m_view.metaDataObject());
}

void EditorBatchActions::setupUIForSelectedPhotoFiles() {
    QList<PhotoFile> ticked;
    for (const PhotoFile& photo : m_view.shared().arraySelectedImagesToProcess) {
        if (photo.isSelected) ticked.append(photo);
    }
    m_view.setupUIForSelectedPhotoFiles(ticked);
}

void EditorBatchActions::isMetadataParamChanged(bool changed) {
    m_view.formActions().isMetadataParamChanged(changed);
}

void EditorBatchActions::processAfterAllPhotosAdded() {
    m_view.processAfterAllPhotosAdded();
}

void EditorBatchActions::deleteSelectedPhotos() {
    m_view.deleteSelectedPhotos();
}

void EditorBatchActions::btnRemoveFromBatchTapped() {
    emit m_view.removeMissingPhotosRequested();
}

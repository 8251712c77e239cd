#include "editor/EditorBatchActions.h"

#include "batch/DateRulePanel.h"
#include "batch/ExifPhotoWriter.h"
#include "controls/SubWindowState.h"
#include "editor/BatchRunScreen.h"
#include "editor/DateTimeRulesPanel.h"
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
#include <QPushButton>
#include <QTimer>

namespace {

BatchRunner::Services withDefaults(BatchRunner::Services services) {
    if (!services.writer) services.writer = ExifPhotoWriter::make();
    return services;
}

}  // namespace

EditorBatchActions::EditorBatchActions(EditSession& session, BatchActionsScreen& screen, EditorSharedState& shared,
                                       PhotoIntake& intake, QWidget* owner, BatchRunner::Services services)
    : QObject(owner), m_session(session), m_view(screen), m_shared(shared), m_intake(intake), m_owner(owner) {
    m_screen = new BatchRunScreen(*this, owner, withDefaults(std::move(services)), shared.subWindow);
    m_page = new RenamingOptionsPanel(owner);
    m_view.placeRenamingPage(*m_page);
    m_datePanel = new DateTimeRulesPanel(owner);
    buildRenameToast();
    connectParts();
}

EditorBatchActions::~EditorBatchActions() = default;

BatchRunController& EditorBatchActions::controller() const {
    return m_screen->controller();
}

void EditorBatchActions::buildRenameToast() {
    m_toast = new QWidget(m_owner);
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
    connect(m_datePanel, &DateTimeRulesPanel::ruleApplied, this, &EditorBatchActions::ruleApplied);
    connect(m_datePanel, &DateTimeRulesPanel::closed, this, &EditorBatchActions::popupClosed);
    connect(m_page, &RenamingOptionsPanel::alertRequested, this, &EditorBatchActions::showAlertWithTag);
    connect(m_page, &RenamingOptionsPanel::pageLeft, this, &EditorBatchActions::pageLeft);
    connect(m_page, &RenamingOptionsPanel::pageShown, this, [this] {
        m_view.showFormFields(false);
        if (m_view.totalPhotosSelected() != 0) m_view.setNextEnabled(false);
    });
    connect(m_page, &RenamingOptionsPanel::pageHidden, this, [this] {
        m_view.showFormFields(true);
        if (m_view.totalPhotosSelected() != 0) m_view.setNextEnabled(true);
    });
    connect(m_page, &RenamingOptionsPanel::dropdownOpened, this,
            [this] { m_page->disableEnableAllButtonsWhenDropdownOpen(true); });
    connect(m_page, &RenamingOptionsPanel::dropdownClosed, this, &EditorBatchActions::popupClosed);
    connect(m_page, &RenamingOptionsPanel::outputFolderChosen, &controller(), &BatchRunController::setOutputFolder);
}

int EditorBatchActions::onImageRenameOptionPage() const {
    return m_page->onImageRenameOptionPage();
}

bool EditorBatchActions::isEditNameOptionOn() const {
    return m_page->page().imageRenamingOptions == OutputRenamingOptions::NewFileName;
}

bool EditorBatchActions::isRenameToastVisible() const {
    return !m_toast->isHidden();
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

void EditorBatchActions::resetRenamingPage() {
    m_page->closeAndReset();
    setRenameToastVisible(false);
    m_view.showRenamingOnNext(false);
}

void EditorBatchActions::initSetup() {
    resetRenamingPage();
    m_datePanel->initSetup(m_view.arrYearsValues(), platform::GregorianCalendar::nowOnWallClock());
    controller().setOutputFolder(m_view.selectedOutputFolder());
    controller().resetPlaceCache();
    m_page->setOutputFolderText(m_view.selectedOutputFolder());
}

void EditorBatchActions::showAlertWithTag(int tag) {
    const IntakeCounters& added = m_intake.counters();
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
    if (m_view.isStartEnabled()) controller().btnProcessTapped();
}

void EditorBatchActions::btnNextTapped() {
    if (!m_view.isStartEnabled()) return;
    if (!isValidFormData()) {
        showAlertWithTag(AlertErrorsFound);
        return;
    }
    addExtentionView();
}

void EditorBatchActions::addExtentionView() {
    m_view.setNextEnabled(false);
    setRenameToastVisible(false);
    m_view.showRenamingOnNext(isEditNameOptionOn());
    setPresetsAndNextEnabled(false);
    m_page->hideShowSettingViewWithAnimation(false);
}

void EditorBatchActions::pageLeft(bool showNotice) {
    if (m_view.totalPhotosSelected() != 0) setPresetsAndNextEnabled(true);
    setRenameToastVisible(showNotice);
    m_view.showRenamingOnNext(showNotice);
}

void EditorBatchActions::btnCloseOnToastTapped() {
    m_page->refreshOutputRenamingOptionOnTapped();
    m_view.showRenamingOnNext(false);
    setRenameToastVisible(false);
}

void EditorBatchActions::setRenameToastVisible(bool visible) {
    m_toast->setVisible(visible);
}

void EditorBatchActions::btnStopProcessTapped() {
    controller().btnStopProcessTapped();
}

// ---- Dates ----

void EditorBatchActions::btnDatePickerTapped(int dateIndex, QWidget* button) {
    m_view.enableScrollView(false);
    m_datePanel->btnDatePickerTapped(button, DateRulePanel::kFirstFieldTag + dateIndex,
                                     DateRulePanel::ruleOf(m_session.metaDataObject(), dateIndex));
    m_view.disableEnableAllButtonsWhenDropdownOpen(true);
}

void EditorBatchActions::ruleApplied(int fieldIndex, DateTimeConfigurationRef rule, const QString& summary) {
    m_session.setDateRule(fieldIndex, std::move(rule), summary);
    showDateWarningIfGreaterThanToday();
}

void EditorBatchActions::showDateWarningIfGreaterThanToday() {
    const DateRulePanel::Labels labels =
        DateRulePanel::dateLabels(m_session.metaDataObject(), platform::GregorianCalendar::nowOnWallClock());
    for (int i = 0; i < DateRulePanel::kFieldCount; ++i)
        m_view.showDateLabel(DateRulePanel::fieldName(i), labels[static_cast<std::size_t>(i)]);
}

// ---- The renaming-reset question ----

void EditorBatchActions::showAlertForResetRename() {
    m_view.enableView(false);
    m_view.enableDragAndDrop(false);
    RenameResetQuestion::ask(m_owner, platform::UserDefaults::standardUserDefaults(), [this](bool yes) {
        if (yes) {
            btnYesOnResetRenameTapped();
        } else {
            btnNoOnResetRenameTapped();
        }
    });
}

void EditorBatchActions::btnYesOnResetRenameTapped() {
    m_shared.subWindow.setIsSubWindowOpened(false);
    m_view.enableDragAndDrop(true);
    m_view.enableView(true);
    if (!m_view.isHoldingRemoval()) {
        // An add closes the page first: the photos it brings reset the choices anyway.
        resetRenamingPage();
        m_view.setNextEnabled(true);
    }
    m_view.resumeHeldChange();
    setupUIForSelectedPhotoFiles();
}

void EditorBatchActions::btnNoOnResetRenameTapped() {
    m_shared.subWindow.setIsSubWindowOpened(false);
    m_view.enableView(true);
    m_view.enableDragAndDrop(true);
    if (m_page->onImageRenameOptionPage() != 0) setPresetsAndNextEnabled(false);
    m_view.dropHeldChange();
}

// ---- What the run asks of the form ----

bool EditorBatchActions::isValidFormData() {
    return m_view.isValidFormData();
}

int EditorBatchActions::startDecision(const OutputRenamingOptions& options) {
    const RenamingPage& page = m_page->page();
    return StartDecision::decide(isValidFormData(), options, page.customName, page.prefix, page.suffix);
}

bool EditorBatchActions::isParamsChanged() const {
    return m_session.isParamsChanged();
}

bool EditorBatchActions::isMetaDataResetEnable() const {
    return m_session.isMetaDataResetEnable();
}

bool EditorBatchActions::isStartEnabled() const {
    return m_view.isStartEnabled();
}

bool EditorBatchActions::isOnRenamingPage() const {
    return m_page->onImageRenameOptionPage() != 0;
}

bool EditorBatchActions::isRestoreEnabled() const {
    return m_view.isRestoreEnabled();
}

bool EditorBatchActions::isBatchEmpty() const {
    return m_shared.arraySelectedImagesToProcess.isEmpty();
}

OutputRenamingOptions EditorBatchActions::renamingOptions(int destinationFolderCheck,
                                                          const QString& outputFolder) const {
    return m_page->page().getOutputFileRenamingSetting(destinationFolderCheck, outputFolder);
}

MetaDataObject EditorBatchActions::metaDataObject() const {
    return m_session.metaDataObject();
}

MetaDataObject EditorBatchActions::metaDataObjectBeforeSaving() const {
    return m_session.metaDataObjectBeforeSaving();
}

MetaDataObject EditorBatchActions::createUpdatedChangesOnly() {
    m_session.createUpdatedChangesOnly();
    return m_session.metaDataObjectWithUpdatedChange();
}

std::vector<PhotoFile> EditorBatchActions::tickedPhotos() const {
    std::vector<PhotoFile> ticked;
    for (const PhotoFile& photo : m_shared.arraySelectedImagesToProcess) {
        if (photo.isSelected) ticked.push_back(photo);
    }
    return ticked;
}

void EditorBatchActions::applyRunResults(const BatchRunner& runner) {
    runner.applyResultsTo(m_shared.arraySelectedImagesToProcess);
}

void EditorBatchActions::enableDragAndDrop(bool enable) {
    m_view.enableDragAndDrop(enable);
}

void EditorBatchActions::enableView(bool enable) {
    m_view.enableView(enable);
}

void EditorBatchActions::setPresetsAndNextEnabled(bool enable) {
    m_view.setPresetsAndNextEnabled(enable);
}

void EditorBatchActions::setRestoreEnabled(bool enable) {
    m_view.setRestoreEnabled(enable);
}

void EditorBatchActions::setResetEnabled(bool enable) {
    m_view.setResetEnabled(enable);
}

void EditorBatchActions::dropPendingEdits() {
    m_session.dropPendingEdits();
}

void EditorBatchActions::highlightBorders() {
    m_view.highlightBorders();
}

void EditorBatchActions::setupUIForSelectedPhotoFiles() {
    m_view.setupUIForSelectedPhotoFiles();
}

void EditorBatchActions::isMetadataParamChanged(bool changed) {
    m_session.isMetadataParamChanged(changed);
}

void EditorBatchActions::processAfterAllPhotosAdded() {
    m_view.processAfterAllPhotosAdded();
}

void EditorBatchActions::deleteSelectedPhotos() {
    m_view.deleteSelectedPhotos();
}

void EditorBatchActions::btnRemoveFromBatchTapped() {
    m_view.removeMissingPhotos();
}

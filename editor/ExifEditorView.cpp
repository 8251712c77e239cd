#include "editor/ExifEditorView.h"

#include "controls/DisableScrollView.h"
#include "controls/DragDropBox.h"
#include "controls/SubWindowState.h"
#include "editor/AddPhotosOptions.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/EditorResources.h"
#include "editor/FormSectionsPage.h"
#include "editor/LoaderOverlay.h"
#include "editor/Logging.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/PopupLists.h"
#include "editor/SelectionPlaceholders.h"
#include "editor/SelectionReload.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "model/EditorAlertTag.h"
#include "platform/Dispatch.h"
#include "platform/NotificationCenter.h"
#include "platform/StandardPaths.h"
#include "platform/WallClock.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QBoxLayout* layoutHolding(QLayout* layout, QWidget* widget) {
    if (!layout) return nullptr;
    if (layout->indexOf(widget) >= 0) return qobject_cast<QBoxLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        if (QBoxLayout* found = layoutHolding(layout->itemAt(i)->layout(), widget)) return found;
    }
    return nullptr;
}

QPushButton* barButton(const QString& name, const QString& title, QWidget* parent, const QString& image = {}) {
    auto* button = new QPushButton(title, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    if (!image.isEmpty()) button->setIcon(EditorResources::icon(image, QSize(14, 14)));
    button->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #3d3d3d; border: 1px solid #555555; border-radius: 3px;"
                       " padding: 4px 12px; }"
                       "QPushButton:hover { background: #4a4a4a; }"
                       "QPushButton:disabled { color: #7a7a7a; background: #333333; border-color: #444444; }"));
    return button;
}

}  // namespace

ExifEditorView::ExifEditorView(SharedState shared, QWidget* parent)
    : QWidget(parent),
      m_shared(shared),
      m_session({&m_shared.selectedMetaDataSettingObj, m_shared.selectedMetaDataSettingObjOnlyUpdatedFields}) {
    EditorResources::ensureRegistered();
    setObjectName(QStringLiteral("ExifEditorView"));
    m_intake = m_shared.intake ? m_shared.intake
                               : new PhotoIntake(m_shared.arraySelectedImagesToProcess, m_shared.dictFileAdded, this);
    m_thumbnails = new ThumbnailLoader(m_dictPhotoImages, this);
    m_reload = new SelectionReload(this);
    m_loaderTimer.setInterval(m_timing.loaderFrameMs);
    buildScreen();
    connectParts();

    // Creation: observers, the Exif section, an empty form record, countries, then the screen stays
    // disabled until photos arrive.
    auto& centre = platform::NotificationCenter::defaultCenter();
    centre.addObserver(this, QStringLiteral("notificationSetupExifEditorView"),
                       [this](const platform::Notification&) { setupViewNotification(); });
    centre.addObserver(this, QStringLiteral("notificationDisappearExifEditorView"),
                       [this](const platform::Notification&) { viewWillDisappear(); });
    centre.addObserver(this, QLatin1String(DragDropBox::kNotificationName),
                       [this](const platform::Notification& n) { handleFileDragDropNotification(n); });
    centre.addObserver(this, QStringLiteral("notificationSubmitFeedback"),
                       [this](const platform::Notification&) { feedbackSubmittedSuccessfully(); });
    addSubviews();
    enableScrollView(true);
    loadCountries();
    m_initialTimer.setSingleShot(true);
    connect(&m_initialTimer, &QTimer::timeout, this, [this] {
        scrollViewToTop();
        disableViewInitially();
    });
    m_initialTimer.start(m_timing.disableViewInitiallyMs);
    m_leftBox->registerForDraggedTypes();
    m_formActions = new EditorFormActions(m_session, *this, m_shared, this);
    m_batchActions = new EditorBatchActions(m_session, *this, m_shared, *m_intake, this);
    connectHalves();
}

ExifEditorView::~ExifEditorView() {
    platform::NotificationCenter::defaultCenter().removeObserver(this);
    // A borrowed intake outlives the screen; its hooks must not call into a screen that is gone.
    if (m_shared.intake) m_intake->setHooks({});
    removeInfoPopupWindow();
    delete m_winMetadataPopup;
    delete m_popup;
    delete m_popup2;
    // Loads still running read the thumbnail cache, a member that goes before the screen's children do.
    delete m_thumbnails;
    m_thumbnails = nullptr;
}

void ExifEditorView::setTiming(const Timing& timing) {
    m_timing = timing;
    if (m_initialTimer.isActive()) m_initialTimer.start(timing.disableViewInitiallyMs);
    m_thumbnails->setSettleDelay(timing.thumbnailSettleMs);
    m_loaderTimer.setInterval(timing.loaderFrameMs);
    for (MetadataSection* section : std::as_const(m_sections)) section->setTextViewSaveDelay(timing.textViewSaveMs);
}

void ExifEditorView::setIntakeSettings(PhotoImportTask::Settings settings) {
    m_intake->setSettings(std::move(settings));
}

// ---- Building the screen ----

void ExifEditorView::buildScreen() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // The whole screen takes drops: the cover of a disabled screen lies inside the box, so dropping photos
    // still works while the screen waits for its first photos.
    m_leftBox = new DragDropBox(this);
    m_leftBox->setObjectName(QStringLiteral("leftBox"));
    m_leftBox->setFrameShape(QFrame::NoFrame);
    m_leftBox->setAttribute(Qt::WA_StyledBackground);
    m_leftBox->setStyleSheet(QStringLiteral(
        "#leftBox { background: #262626; }"
        "QScrollBar:vertical { background: #2b2b2b; width: 10px; margin: 0; }"
        "QScrollBar::handle:vertical { background: #555555; border-radius: 4px; min-height: 30px; margin: 1px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    outer->addWidget(m_leftBox);

    auto* column = new QVBoxLayout(m_leftBox);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_topBar = buildTopBar();
    column->addWidget(m_topBar);
    m_body = new QWidget(m_leftBox);
    auto* body = new QHBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    m_tblPhotos = new PhotoTableView(m_body);
    m_tblPhotos->setFixedWidth(390);
    m_photoModel = new PhotoTableModel(m_shared.arraySelectedImagesToProcess, m_dictPhotoImages, this);
    m_tblPhotos->setPhotoModel(m_photoModel);
    body->addWidget(m_tblPhotos);
    auto* divider = new QFrame(m_body);
    divider->setFixedWidth(1);
    divider->setStyleSheet(QStringLiteral("background: #3a3a3a;"));
    body->addWidget(divider);
    body->addWidget(buildForm(), 1);
    column->addWidget(m_body, 1);

    m_vwLoading = new LoaderOverlay(m_leftBox);
    m_btnStop = barButton(QStringLiteral("btnstopOnAddPhotos"), QStringLiteral("Stop"), m_vwLoading->box(),
                          QStringLiteral("stop_import"));
    static_cast<QVBoxLayout*>(m_vwLoading->box()->layout())->addWidget(m_btnStop, 0, Qt::AlignHCenter);
    m_btnStop->hide();

    m_popup = new OptionPopup(this, QStringLiteral("vwPopupWithTableOptions"), QStringLiteral("tblPopupOptions"));
    m_popup2 = new OptionPopup(this, QStringLiteral("vwPopUpWithTableOptions2"), QStringLiteral("tblPopupOptions2"));
    buildMetadataPopup();
}

QWidget* ExifEditorView::buildTopBar() {
    auto* bar = new QWidget(m_leftBox);
    bar->setObjectName(QStringLiteral("topBar"));
    bar->setFixedHeight(46);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(QStringLiteral("#topBar { background: #2f2f2f; border-bottom: 1px solid #3a3a3a; }"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(8);
    m_lblPhotosCount = new QLabel(QStringLiteral("Photos"), bar);
    m_lblPhotosCount->setObjectName(QStringLiteral("lblPhotosCount"));
    m_lblPhotosCount->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    m_lblPhotosCount->setMinimumWidth(110);
    m_btnAddPhoto = barButton(QStringLiteral("btnAddPhoto"), QStringLiteral("Add"), bar, QStringLiteral("add_photos"));
    m_btnRemovePhoto =
        barButton(QStringLiteral("btnRemovePhoto"), QStringLiteral("Remove"), bar, QStringLiteral("remove_photos"));
    m_btnPresets = barButton(QStringLiteral("btnPresets"), QStringLiteral("Presets"), bar);
    m_btnMetadataMoreOptions = barButton(QStringLiteral("btnMetadataMoreOptions"), QString(), bar);
    m_btnMetadataMoreOptions->setIcon(EditorResources::icon(QStringLiteral("more_options"), QSize(22, 22)));
    m_btnMetadataMoreOptions->setIconSize(QSize(22, 22));
    m_btnMetadataMoreOptions->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    row->addWidget(m_lblPhotosCount);
    row->addWidget(m_btnAddPhoto);
    row->addWidget(m_btnRemovePhoto);
    row->addStretch(1);
    row->addWidget(m_btnPresets);
    row->addWidget(m_btnMetadataMoreOptions);
    return bar;
}

QWidget* ExifEditorView::buildForm() {
    auto* form = new QWidget(m_body);
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(16, 12, 6, 10);
    column->setSpacing(10);
    m_editingOption = new EditingOptionSection(true, form);
    column->addWidget(m_editingOption);

    FormSectionsPage page = FormSectionsPage::build(form, FormRules::editingForm(), m_tables);
    m_scrollViewExifData = page.scrollView;
    m_vwMetaContainer = page.container;
    m_vwExif = page.sectionsView;
    m_sections = page.sections;
    for (MetadataSection* section : m_sections) section->setTextViewSaveDelay(m_timing.textViewSaveMs);
    column->addWidget(m_scrollViewExifData, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    m_btnShowMap = barButton(QStringLiteral("btnShowMap"), QStringLiteral("Map"), form);
    m_btnApply = barButton(QStringLiteral("btnApplyMetaData"), QStringLiteral("Apply"), form);
    m_btnApply->setToolTip(QStringLiteral("Apply the edited values to the selected photos' form"));
    m_btnRevert = barButton(QStringLiteral("btnRevertMetaData"), QStringLiteral("Revert"), form);
    m_btnRevert->setToolTip(QStringLiteral("Go back to the values the selected photos had"));
    m_btnReset = barButton(QStringLiteral("btnReset"), QStringLiteral("Reset"), form);
    m_btnRestore = barButton(QStringLiteral("btnRestore"), QStringLiteral("Restore"), form);
    m_btnNext = barButton(QStringLiteral("btnNext"), QStringLiteral("Rename"), form);
    m_btnProcess = barButton(QStringLiteral("btnProcess"), QStringLiteral("Start"), form);
    m_btnProcess->setStyleSheet(FormSectionsPage::primaryButtonStyle());
    // Nothing to start before photos arrive, nothing to restore before a run has written them.
    m_btnProcess->setEnabled(false);
    m_btnRestore->setEnabled(false);
    bottom->addWidget(m_btnShowMap);
    bottom->addStretch(1);
    bottom->addWidget(m_btnApply);
    bottom->addWidget(m_btnRevert);
    bottom->addWidget(m_btnReset);
    bottom->addWidget(m_btnRestore);
    bottom->addWidget(m_btnNext);
    bottom->addWidget(m_btnProcess);
    column->addLayout(bottom);
    return form;
}

void ExifEditorView::connectParts() {
    m_intake->setHooks({
        [this](bool show, const QString& text) { showLoading(show, text); },
        [this] {
            m_btnStop->show();
            m_btnNext->setEnabled(true);
        },
        [this](bool changed) { m_session.isMetadataParamChanged(changed); },
        [this](EditorAlertTag tag) { showAlertWithTag(tag); },
        [this] { m_btnRemovePhoto->setEnabled(false); },
        [this] { processAfterAllPhotosAdded(); },
        [this](std::function<void()> dismissed) { AddPhotosOptions::showArchivePathAlert(this, std::move(dismissed)); },
    });
    connect(m_reload, &SelectionReload::merged, this, &ExifEditorView::applySelection);
    connect(&m_session, &EditSession::recordReplaced, this, &ExifEditorView::showRecord);
    connect(&m_session, &EditSession::fieldChanged, this, &ExifEditorView::showField);
    connect(&m_session, &EditSession::unsavedStateChanged, this, &ExifEditorView::followUnsavedState);
    connect(m_thumbnails, &ThumbnailLoader::loadRequested, this, &ExifEditorView::loadTableViewThumbnailImages);
    connect(m_thumbnails, &ThumbnailLoader::thumbnailReady, this,
            [this](int row, const QString& path, const QImage&) { m_photoModel->thumbnailArrived(row, path); });
    connect(m_thumbnails, &ThumbnailLoader::thumbnailFailed, m_photoModel, &PhotoTableModel::thumbnailFailed);
    connect(&m_loaderTimer, &QTimer::timeout, this, &ExifEditorView::performLoaderAnimationWithCounter);
    connect(m_tblPhotos, &PhotoTableView::boundsChanged, this, &ExifEditorView::tableviewPhotosBoundDidChange);
    connect(m_tblPhotos, &PhotoTableView::rowDoubleClicked, this, &ExifEditorView::doubleClick);
    connect(m_tblPhotos, &PhotoTableView::rowClicked, this, &ExifEditorView::photoRowClicked);
    connect(m_tblPhotos, &PhotoTableView::infoTapped, this, &ExifEditorView::photoMenuRequested);
    connect(m_btnAddPhoto, &QPushButton::clicked, this, &ExifEditorView::btnAddPhotosTapped);
    connect(m_btnRemovePhoto, &QPushButton::clicked, this, &ExifEditorView::btnRemovePhotosTapped);
    connect(m_btnStop, &QPushButton::clicked, this, &ExifEditorView::btnStopProcessTapped);
    connect(m_popup, &OptionPopup::rowChosen, this, &ExifEditorView::popupOptionTapped);
    connect(m_popup2, &OptionPopup::rowChosen, this, &ExifEditorView::popupOption2Tapped);
    for (OptionPopup* popup : {m_popup, m_popup2}) {
        connect(popup, &OptionPopup::dismissed, this, &ExifEditorView::dismissPanel);
        connect(popup, &OptionPopup::closed, this, [this] {
            enableScrollView(true);
            enableAllButtonsAfterDelay();
        });
    }
    for (MetadataSection* section : std::as_const(m_sections)) {
        connect(section, &MetadataSection::fieldEdited, this, &ExifEditorView::storeEdit);
        connect(section, &MetadataSection::dropDownTapped, this, &ExifEditorView::btnDropDownTapped);
        connect(section, &MetadataSection::dateFieldTapped, this, &ExifEditorView::dateFieldTapped);
    }
    connect(m_editingOption, &EditingOptionSection::editingOptionTapped, this, &ExifEditorView::editingOptionTapped);
    connect(this, &ExifEditorView::editingOptionTapped, this, &ExifEditorView::btnEditingOptionTapped);
    connect(m_btnPresets, &QPushButton::clicked, this, &ExifEditorView::btnPresetTapped);
    connect(m_btnMetadataMoreOptions, &QPushButton::clicked, this, &ExifEditorView::btnMetaMoreOptionsTapped);
}

void ExifEditorView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeOverlay();
}

// ---- Creation and set-up ----

void ExifEditorView::feedbackSubmittedSuccessfully() {
    // Posted from wherever the upload ended; the alert waits for the main thread's next turn.
    platform::dispatch::onMain(this, [this] { handleSubmitFeedBack_MainThread(); });
}

void ExifEditorView::handleSubmitFeedBack_MainThread() {
    showAlertWithTag(AlertFeedback);
}

void ExifEditorView::addSubviews() {
    setViewForSelectedIndex(0);
}

void ExifEditorView::disableViewInitially() {
    // Photos may have arrived before the initial wait ran out; they keep the screen enabled.
    enableView(!m_shared.arraySelectedImagesToProcess.isEmpty());
}

void ExifEditorView::loadCountries() {
    m_tables = DropdownCodeTables();
}

void ExifEditorView::loadYearsArrayValues() {
    m_arrYearsValues =
        PopupLists::yearsList(platform::GregorianCalendar::split(platform::GregorianCalendar::nowOnWallClock()).year);
}

void ExifEditorView::scrollViewToTop() {
    m_scrollViewExifData->verticalScrollBar()->setValue(0);
}

void ExifEditorView::enableScrollView(bool enabled) {
    m_scrollViewExifData->setScrollingEnabled(enabled);
}

void ExifEditorView::scrollToField(const QString& fieldName) {
    QWidget* field = textField(fieldName);
    if (!field || !field->parentWidget()) return;
    // A message just shown has not been laid out yet; the field's cell must have its full height first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_scrollViewExifData->ensureWidgetVisible(field->parentWidget(), 0, 10);
}

void ExifEditorView::takeFocusFromForm() {
    // A focused field that is switched off hands its focus to the next field that is still on, and the
    // scroll area follows each hand-over: the form would run away from what the user was looking at. The
    // window's own focus counts too, while a panel that just closed has not given the window back.
    QWidget* focused = window()->focusWidget();
    if (focused && m_scrollViewExifData->isAncestorOf(focused)) focused->clearFocus();
}

void ExifEditorView::setViewForSelectedIndex(int index) {
    // Every field lives on the one Exif page; the other indexes name pages the form does not have.
    m_vwExif->setVisible(index == 0);
}

void ExifEditorView::setToolTips() {
    m_btnRemovePhoto->setToolTip(QStringLiteral("Click here to remove photos"));
    m_btnAddPhoto->setToolTip(QStringLiteral("Click here to add photos."));
    m_btnProcess->setToolTip(QStringLiteral("Click here to start process"));
    m_btnPresets->setToolTip(QStringLiteral("Click here to add/edit presets"));
    m_btnRestore->setToolTip(QStringLiteral("Click here to restore exif data of processed files"));
    m_btnReset->setToolTip(QStringLiteral("Click here to reset edited data"));
    m_btnNext->setToolTip(QStringLiteral("Click for renaming option."));
}

void ExifEditorView::initSetup() {
    // The default output folder exists even when no batch is ever run.
    m_selectedOutputFolder = platform::StandardPaths::defaultOutputFolder();
    if (!QDir().mkpath(m_selectedOutputFolder)) {
        qCWarning(lcEditor).noquote() << "Failed to create directory \"" + m_selectedOutputFolder +
                                             "\". Error: the folder could not be made";
    }
    m_outputFolderLocationPath = m_selectedOutputFolder;
    m_btnReset->setToolTip(QStringLiteral("Reset"));
    scrollViewToTop();
    enableScrollView(true);
    setupUIForSelectedPhotoFiles(m_shared.arraySelectedImagesToProcess);
    setToolTips();
    loadYearsArrayValues();
    m_btnNext->show();
    m_arrTempPhotosUrlsForResetRename.clear();
    if (m_batchActions) m_batchActions->initSetup();
}

void ExifEditorView::setupUIForSelectedPhotoFiles(const QList<PhotoFile>& photos) {
    hideAllErrorLabels();
    m_session.isMetadataParamChanged(false);
    m_btnRestore->setEnabled(false);
    m_totalPhotosSelected = static_cast<int>(photos.size());
    if (!photos.isEmpty()) {
        enableExifDataView(true);
        m_btnRemovePhoto->setEnabled(true);
        if (photos.size() > 5000) {
            showLoading(true, QStringLiteral("Please Wait..."));
            m_mergeLoaderShown = true;
        }
        m_isProcessingWithFileSystem = true;
        m_reload->start(photos);
        return;
    }
    // No photo ticked: no merge, but one still under way must not land after this.
    m_reload->invalidate();
    m_isProcessingWithFileSystem = false;
    if (m_mergeLoaderShown) {
        m_mergeLoaderShown = false;
        showLoading(false, QStringLiteral("Please Wait..."));
    }
    m_mergedPhotoCount = 0;
    m_heldByAny = {};
    m_session.setSelection(MetaDataObject(), false);
    enableExifDataView(false);
    m_btnRemovePhoto->setEnabled(false);
    m_btnProcess->setEnabled(false);
    enableDisableRenameOptionButton();
    setPresetsAndNextEnabled(false);
}

void ExifEditorView::applySelection(quint64, const SelectionMerge::Result& result) {
    // The worker only computed the record; the session takes it here, on the main thread.
    m_mergedPhotoCount = result.photoCount;
    m_heldByAny = result.heldByAny;
    m_isProcessingWithFileSystem = false;
    m_session.setSelection(result.merged, true);
    if (m_mergeLoaderShown) {
        m_mergeLoaderShown = false;
        showLoading(false, QStringLiteral("Please Wait..."));
    }
    m_btnProcess->setEnabled(true);
    enableDisableRenameOptionButton();
}

std::optional<SelectionMerge::Result> ExifEditorView::updateMetaDataObjectForSelectedFiles(
    const QList<PhotoFile>& photos) {
    return SelectionMerge::updateMetaDataObjectForSelectedFiles(photos);
}

void ExifEditorView::enableDisableRenameOptionButton() {
    setPresetsAndNextEnabled(onImageRenameOptionPage() == 0);
}

void ExifEditorView::setPresetsAndNextEnabled(bool enabled) {
    m_btnPresets->setEnabled(enabled);
    m_btnNext->setEnabled(enabled);
}

void ExifEditorView::insertAboveButtons(QWidget* widget) {
    QWidget* form = m_btnProcess->parentWidget();
    auto* column = qobject_cast<QBoxLayout*>(form->layout());
    QBoxLayout* buttons = column ? layoutHolding(column, m_btnProcess) : nullptr;
    if (!buttons) return;
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    widget->setParent(form);
    row->addWidget(widget);
    column->insertLayout(column->indexOf(buttons), row);
}

void ExifEditorView::setRemovalFlags(bool fromRename, bool byMenuOption) {
    m_isRemovingPhotosFromRename = fromRename;
    m_isRemovingPhotosByMenuOption = byMenuOption;
}

#include "editor/BatchRunScreen.h"

#include "controls/SubWindowState.h"
#include "editor/ProgressSheet.h"
#include "editor/SummaryWindow.h"
#include "platform/Alerts.h"
#include "platform/StandardPaths.h"

#include <QWidget>

BatchRunScreen::BatchRunScreen(BatchRunForm& form, QWidget* screen, BatchRunner::Services services,
                               SubWindowState& subWindow)
    : QObject(screen),
      m_form(form),
      m_subWindow(subWindow),
      m_screen(screen),
      m_controller(std::make_unique<BatchRunController>(form, std::move(services))),
      m_progress(new ProgressSheet(screen)),
      m_summary(new SummaryWindow(screen)) {
    BatchRunController* c = m_controller.get();
    connect(c, &BatchRunController::alertRequested, this, [this, c](int tag) {
        EditorAlertCounts counts;
        counts.unwritableFolder = c->unwritableFolder();
        counts.unwritableDestination = c->copyDestination();
        showAlertWithTag(tag, counts);
    });
    connect(c, &BatchRunController::destinationPanelRequested, this, &BatchRunScreen::openDestinationPanel);
    connect(c, &BatchRunController::progressSheetShown, this, &BatchRunScreen::showProcessProgressWindow);
    connect(c, &BatchRunController::progressSheetHidden, this, &BatchRunScreen::hideProcessProgressWindow);
    connect(c, &BatchRunController::progressChanged, m_progress, &ProgressSheet::setProgress);
    connect(c, &BatchRunController::currentFileChanged, m_progress, &ProgressSheet::setCurrentFile);
    connect(c, &BatchRunController::currentPhotoChanged, m_progress, &ProgressSheet::setCurrentPhoto);
    connect(c, &BatchRunController::batchInfoChanged, m_progress, &ProgressSheet::setBatchInfo);
    connect(c, &BatchRunController::processInfoChanged, m_progress, &ProgressSheet::setProcessInfo);
    connect(c, &BatchRunController::summaryReady, this, &BatchRunScreen::showSummary);
    connect(m_progress, &ProgressSheet::stopTapped, c, &BatchRunController::btnStopProcessTapped);
    connect(m_summary, &SummaryWindow::closeTapped, this, &BatchRunScreen::closeSummary);
    c->setOutputFolder(platform::StandardPaths::defaultOutputFolder());
}

BatchRunScreen::~BatchRunScreen() = default;

platform::OpenPanelOptions BatchRunScreen::destinationPanelOptions() {
    platform::OpenPanelOptions options;
    options.title = QStringLiteral("Save Image");
    options.canCreateDirectories = true;
    options.prompt = QStringLiteral("Select Destination Folder");
    options.canChooseDirectories = true;
    options.canChooseFiles = false;
    options.directory = platform::StandardPaths::defaultOutputFolder();
    options.accessoryCheckBox = QStringLiteral("Keep Source Folder Path");
    options.accessoryToolTip = QStringLiteral(
        "This option will allow you to save your output files in the same source folder. Note: No file is "
        "overwritten; a copy whose name is taken gets a number, as in \"photo (1).jpg\".");
    return options;
}

void BatchRunScreen::openDestinationPanel() {
    platform::OpenPanelPresenter::shared().beginSheet(
        destinationPanelOptions(), m_screen, [this](const platform::OpenPanelResult& result) {
            const QString folder = result.paths.isEmpty() ? QString() : result.paths.first();
            m_controller->destinationChosen(result.accepted, folder, result.accessoryChecked);
        });
}

void BatchRunScreen::showAlertWithTag(int tag, const EditorAlertCounts& counts) {
    if (m_subWindow.isSubWindowOpened()) return;
    const std::optional<EditorAlert> alert = EditorAlert::forTag(tag, counts);
    if (!alert) return;
    m_alertTag = tag;
    platform::Alert sheet;
    sheet.messageText = alert->title;
    sheet.informativeText = alert->text;
    for (EditorAlert::Button button : alert->buttons) sheet.buttons << EditorAlert::buttonTitle(button);
    sheet.tag = tag;
    m_form.enableDragAndDrop(false);
    m_form.enableView(false);
    // While the sheet is up no second one opens over it.
    m_subWindow.setIsSubWindowOpened(true);
    const QList<EditorAlert::Button> buttons = alert->buttons;
    platform::AlertPresenter::shared().beginSheet(
        sheet, m_screen, [this, tag, buttons](const platform::AlertAnswer& a) {
            m_form.enableDragAndDrop(true);
            m_form.enableView(true);
            m_subWindow.setIsSubWindowOpened(false);
            // An alert closed without a button counts as its last one (No, or its only button).
            const EditorAlert::Button button =
                a.button >= 0 && a.button < buttons.size() ? buttons.at(a.button) : buttons.last();
            m_controller->alertAnswered(tag, button);
        });
}

void BatchRunScreen::showProcessProgressWindow() {
    m_subWindow.setIsSubWindowOpened(true);
    m_progress->open();
    m_progress->raise();
}

void BatchRunScreen::hideProcessProgressWindow() {
    // A run cut short by low space closes the sheet twice; the second time an alert may be up already.
    if (!m_progress->isVisible()) return;
    m_subWindow.setIsSubWindowOpened(false);
    m_progress->hide();
}

void BatchRunScreen::showSummary(const BatchSummary& summary) {
    m_summary->setSummaryInfo(summary);
    m_summary->open();
    m_summary->raise();
}

void BatchRunScreen::closeSummary() {
    m_summary->hide();
    m_controller->btnCloseSummaryTapped();
}

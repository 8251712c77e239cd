#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "controls/GRProgressIndicator.h"
#include "controls/LinkButton.h"
#include "controls/SubWindowState.h"
#include "editor/BatchRunScreen.h"
#include "editor/ErrorSummaryModel.h"
#include "editor/ProgressSheet.h"
#include "editor/SummaryWindow.h"
#include "tests/batch/BatchRunFixtures.h"
#include "tests/common/ScriptedPlatform.h"
#include "tests/common/TestSupport.h"
#include "tests/editor/BatchScreenHost.h"

namespace {

using testsupport::BatchScreenHost;
using testsupport::ManualDelay;
using testsupport::ScriptedPhotoWriter;

class TheBatchScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(source());
        QDir().mkpath(output());
        for (const char* name : {"P1.JPG", "P2.CR2", "P3.JPG", "P4.JPG"}) host.addPhoto(source(), name, true);
        BatchRunner::Services services;
        services.writer = writer.writer();
        services.files = &disk;
        services.geocoder = &places;
        services.parallelWrites = 1;
        // A run of the scripted writer takes no time on this clock.
        services.now = [] { return 1000.0; };
        screen = std::make_unique<BatchRunScreen>(host, &host, services);
        screen->controller().setDelay(delayed.delay());
        QObject::connect(&screen->controller(), &BatchRunController::progressChanged,
                         [this](int percent) { progress << percent; });
        host.show();
    }
    void TearDown() override { SubWindowState::shared().setIsSubWindowOpened(false); }
    QString source() const { return dir.path() + "/Source Photos"; }
    QString output() const { return dir.path() + "/Output"; }
    void fireDelays() { delayed.fire(); }
    void waitForEnd() {
        QSignalSpy ended(&screen->controller().runner(), &BatchRunner::runEnded);
        if (screen->controller().isRunning()) {
            ASSERT_TRUE(ended.wait(20000));
        }
    }
    QStringList alertTitles() const {
        QStringList titles;
        for (const platform::Alert& a : alerts.shown) titles << a.messageText;
        return titles;
    }

    QTemporaryDir dir;
    BatchScreenHost host;
    ScriptedPhotoWriter writer;
    batchfixtures::FixedSpaceFiles disk;
    batchfixtures::NoPlaces places;
    testsupport::ScriptedAlerts alerts;
    testsupport::ScriptedOpenPanel panel;
    std::unique_ptr<BatchRunScreen> screen;
    ManualDelay delayed;
    QList<int> progress;
};

TEST_F(TheBatchScreen, runsABatchFromStartToItsSummary) {
    writer.flags["P2.CR2"] = ExifWriteRawCameraKept;
    writer.flags["P3.JPG"] = ExifWriteFailed;
    writer.messages["P3.JPG"] = "The file is damaged.";
    panel.script({output()});
    alerts.script(0);  // Yes on START PROCESS

    screen->controller().btnProcessTapped();
    ASSERT_EQ(panel.shown.size(), 1);
    EXPECT_EQ(panel.shown[0].title, "Save Image");
    EXPECT_EQ(panel.shown[0].prompt, "Select Destination Folder");
    EXPECT_EQ(panel.shown[0].accessoryCheckBox, "Keep Source Folder Path");
    EXPECT_TRUE(panel.shown[0].canChooseDirectories && !panel.shown[0].canChooseFiles);
    EXPECT_TRUE(alerts.shown.isEmpty()) << "the confirmation comes half a second later";
    fireDelays();
    ASSERT_EQ(alertTitles(), QStringList({"START PROCESS"}));
    EXPECT_EQ(alerts.shown[0].buttons, QStringList({"Yes", "No"}));
    EXPECT_TRUE(screen->progressSheet()->isVisible());
    EXPECT_TRUE(SubWindowState::shared().isSubWindowOpened());
    EXPECT_FALSE(host.dragAndDrop);
    waitForEnd();

    EXPECT_EQ(progress, QList<int>({0, 25, 50, 75, 100}));
    EXPECT_EQ(screen->progressSheet()->progressIndicator()->doubleValue(), 100);
    EXPECT_EQ(screen->progressSheet()->lblCurrntFilePath()->toolTip(), source() + "/P4.JPG");
    EXPECT_FALSE(screen->progressSheet()->isVisible());
    EXPECT_FALSE(SubWindowState::shared().isSubWindowOpened());
    fireDelays();
    SummaryWindow* summary = screen->summaryWindow();
    ASSERT_TRUE(summary->isVisible());
    EXPECT_EQ(summary->lblSummaryTitle()->text(), "Batch Process Finished");
    EXPECT_EQ(summary->lblBatchCountSummary()->text(), "4");
    EXPECT_EQ(summary->lblPhotoProcessedSummary()->text(), "3") << "the raw file was written";
    EXPECT_EQ(summary->lblPhotoSkippedSummary()->text(), "0");
    EXPECT_EQ(summary->lblTimeElapsedSummary()->text(), "less than a second");
    EXPECT_EQ(summary->lblErrorsSummary()->text(), "Error Found(1) Warning Found(1)");
    EXPECT_EQ(summary->height(), 450);
    EXPECT_EQ(summary->btnOpenOutputFolder()->text(), output());
    ErrorSummaryModel* rows = summary->errorModel();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(0).data(ErrorSummaryModel::MessageRole).toString(), "The file is damaged.");
    EXPECT_EQ(rows->index(0).data(ErrorSummaryModel::ImageRole).toString(), "errorFile.png");
    const QModelIndex raw = rows->index(1);
    EXPECT_EQ(raw.data().toString(), source() + "/P2.CR2");
    EXPECT_EQ(raw.data(ErrorSummaryModel::MessageRole).toString(),
              "Camera related info(Camera make, Camera model name) can't write for CR2 image format");
    EXPECT_TRUE(raw.data(ErrorSummaryModel::WarningRole).toBool());
    EXPECT_EQ(raw.data(ErrorSummaryModel::ImageRole).toString(), "warningFile.png");
    EXPECT_EQ(host.photos[2].processStatus, ExifWriteFailed) << "the statuses reach the batch";

    testsupport::ScriptedWorkspace workspace;
    summary->btnOpenOutputFolder()->click();
    EXPECT_EQ(workspace.openedFiles, QStringList{output()});
    EXPECT_EQ(alerts.shown.size(), 1);
    workspace.succeeds = false;
    summary->btnOpenOutputFolder()->click();
    ASSERT_EQ(alerts.shown.size(), 2) << "a desktop that cannot open the folder says so";
    EXPECT_EQ(alerts.shown.last().messageText, "No file manager could open the folder.");
    EXPECT_TRUE(alerts.shown.last().informativeText.contains(output()));
    EXPECT_EQ(alerts.parents.last(), summary);
    ASSERT_TRUE(alerts.answerPending(0));
    QTest::mouseClick(summary->btnClose(), Qt::LeftButton);
    EXPECT_FALSE(summary->isVisible());
    EXPECT_TRUE(host.dragAndDrop && host.viewEnabled);

    // Restore writes over the copies of the run.
    alerts.script(0);
    screen->controller().btnRestoreTapped();
    EXPECT_EQ(alertTitles().last(), "RESTORE EXIF DATA");
    waitForEnd();
    EXPECT_EQ(writer.restores, QList<bool>({false, false, false, false, true, true, true, true}));
    EXPECT_TRUE(host.steps.contains("setup"));
    EXPECT_FALSE(host.restoreEnabled);
}

TEST_F(TheBatchScreen, stopsFromTheProgressSheet) {
    writer.holdBack = "P2.CR2";
    panel.script({output()});
    alerts.script(0);
    screen->controller().btnProcessTapped();
    fireDelays();
    writer.waitUntilStarted("P2.CR2");
    QTest::mouseClick(screen->progressSheet()->btnStop(), Qt::LeftButton);
    writer.release();
    waitForEnd();
    fireDelays();
    EXPECT_EQ(screen->summaryWindow()->lblSummaryTitle()->text(), "Batch Process Stopped");
    EXPECT_EQ(screen->summaryWindow()->lblPhotoSkippedSummary()->text(), "2");
    EXPECT_EQ(screen->summaryWindow()->height(), 250);
    EXPECT_FALSE(screen->summaryWindow()->lblErrorsSummary()->isVisible());
}

TEST_F(TheBatchScreen, writesBesideTheSourcesWhenAsked) {
    panel.script({output()}, true);
    alerts.script(0);
    screen->controller().btnProcessTapped();
    fireDelays();
    waitForEnd();
    fireDelays();
    EXPECT_EQ(screen->summaryWindow()->btnOpenOutputFolder()->text(), source());
    EXPECT_TRUE(QFile::exists(source() + "/P1 (1).JPG")) << "the copy lands beside its source, not over it";
    // The box's tool tip tells what just happened, not that a source would be overwritten.
    const QString tip = panel.shown.first().accessoryToolTip;
    EXPECT_FALSE(tip.contains("will be overwritten")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("\"photo (1).jpg\"")) << tip.toStdString();
}

struct AlertCase {
    int tag;
    const char* title;
    const char* text;
    QStringList buttons;
};

TEST_F(TheBatchScreen, showsEveryNumberedAlertWithItsWordsAndButtons) {
    const QStringList yesNo{"Yes", "No"}, ok{"OK"};
    const AlertCase cases[] = {
        {100, "START PROCESS",
         "All the EXIF related changes will be applied to the entire batch of selected photos. Do you wish to "
         "proceed?",
         yesNo},
        {101, "RESTORE EXIF DATA",
         "All the applied EXIF related changes will be reverted back to original. Do you still wish to restore?",
         yesNo},
        {102, "NOT ENOUGH SPACE", "Destination directory doesn't have enough space.", ok},
        {103, "REMOVE FROM BATCH", "This photo is not available at the Source location.", {"Remove from batch"}},
        {104, "FEEDBACK", "Feedback submitted successfully!", ok},
        {106, "REMOVE PHOTOS", "Remove Photos! All your changes to exif info will be lost. Do you wish to proceed?",
         yesNo},
        {107, "PHOTOS LIMIT EXCEEDED", "Photo limit exceeded! A Batch of 100000 photos can be processed at a time.",
         ok},
        {108, "FILES CANNOT BE ADDED",
         "Some files cannot be added. They are either damaged or not supported by application.", ok},
        {109, "PHOTOS EXISTS", "Photos already exist in batch!", ok},
        {110, "NO PHOTOS TO ADD", "There are no new photos to add", ok},
        {111, "NO CHANGES IN EXIF DATA",
         "There are no changes observed in the EXIF data. Do you still wish to proceed?", yesNo},
        {112, "ERRORS FOUND", "Cannot process EXIF info changes! Please check for error messages.", ok},
        {113, "Warning Found",
         "No renaming option selected! Your files will be saved with their original filename. Do you wish to "
         "proceed?",
         yesNo},
        {114, "Warning Found", "Filename can not be blank.", ok},
        {115, "Warning Found", "Prefix or Suffix can not be blank.", ok},
    };
    EditorAlertCounts counts;
    counts.totalPhotosSelected = 2;
    counts.photosLimit = 100000;
    counts.totalPhotoToAdd = counts.damagedFileCount = 3;
    counts.alreadyExistsPhotosCount = 3;
    for (const AlertCase& c : cases) {
        screen->showAlertWithTag(c.tag, counts);
        ASSERT_FALSE(alerts.shown.isEmpty()) << c.tag;
        const platform::Alert& shown = alerts.shown.last();
        EXPECT_EQ(shown.tag, c.tag);
        EXPECT_EQ(shown.messageText, c.title) << c.tag;
        EXPECT_EQ(shown.informativeText, c.text) << c.tag;
        EXPECT_EQ(shown.buttons, c.buttons) << c.tag;
        EXPECT_EQ(screen->alertTag(), c.tag);
        EXPECT_FALSE(host.dragAndDrop);
        // The last button: No or the only one, so no run starts in between.
        alerts.answerPending(static_cast<int>(c.buttons.size()) - 1);
        EXPECT_TRUE(host.dragAndDrop);
    }
    const qsizetype count = alerts.shown.size();
    screen->showAlertWithTag(105);
    SubWindowState::shared().setIsSubWindowOpened(true);
    screen->showAlertWithTag(112);
    EXPECT_EQ(alerts.shown.size(), count) << "no alert for 105, and none over another sheet";
    EXPECT_TRUE(host.steps.contains("remove missing"));
}

TEST(TheSummary, leavesTheLooksOfAnAlertOverItToTheAlert) {
    SummaryWindow summary;
    BatchSummary info;
    info.link.title = "/nowhere/Output";
    summary.setSummaryInfo(info);
    summary.show();
    testsupport::ScriptedWorkspace workspace;
    workspace.succeeds = false;
    summary.btnOpenOutputFolder()->click();  // through the application's own alerts
    auto* box = summary.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(testsupport::hasReadableText(*box));
    box->close();
}

TEST(TheProgressLines, drawTheirValuesWhite) {
    BatchInfoLine line;
    line.text = "Batch Count: 3  |  Photos Processed: 1";
    line.highlights = {{13, 1}, {37, 1}};
    const QString html = ProgressSheet::richText(line);
    EXPECT_TRUE(html.contains("<span style=\"color:#ffffff\">3</span>&nbsp; |&nbsp; Photos")) << html.toStdString();
    EXPECT_TRUE(html.startsWith("<span style=\"color:#b8b8b8\">Batch Count: "));
}

}  // namespace

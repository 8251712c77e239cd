#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "batch/BatchRunController.h"
#include "batch/BatchTexts.h"
#include "tests/batch/BatchRunFixtures.h"
#include "tests/common/BatchRunDoubles.h"

namespace {

using Button = BatchRunController::AlertButton;

using batchfixtures::NoPlaces;
using testsupport::ManualDelay;
using testsupport::RecordingRunForm;
using testsupport::ScriptedPhotoWriter;
using SettableSpace = batchfixtures::FixedSpaceFiles;

class ABatchRunOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(out.isValid());
        for (int i = 1; i <= 3; ++i) addPhoto(QStringLiteral("P%1.JPG").arg(i));
        form.form.Artist = "Edited";
        form.beforeSaving.Artist = "Before";
        BatchRunner::Services services;
        services.writer = writer.writer();
        services.files = &space;
        services.geocoder = &places;
        services.parallelWrites = 1;
        services.now = [this] { return clock.load(); };
        controller = std::make_unique<BatchRunController>(form, services);
        controller->setDelay(delayed.delay());
        controller->setOutputFolder(out.path());
        QObject::connect(controller.get(), &BatchRunController::alertRequested,
                         [this](int tag) { events << QStringLiteral("alert %1").arg(tag); });
        QObject::connect(controller.get(), &BatchRunController::destinationPanelRequested,
                         [this] { events << "panel"; });
        QObject::connect(controller.get(), &BatchRunController::progressSheetShown, [this] { events << "sheet"; });
        QObject::connect(controller.get(), &BatchRunController::progressSheetHidden,
                         [this] { events << "sheet hidden"; });
        QObject::connect(controller.get(), &BatchRunController::progressChanged,
                         [this](int percent) { progress << percent; });
        QObject::connect(controller.get(), &BatchRunController::summaryReady,
                         [this](const BatchSummary& s) { summaries.push_back(s); });
    }
    void addPhoto(const QString& name) { form.addPhoto(out.path() + "/src", name); }
    QList<int> fireDelays() { return delayed.fire(); }
    void startConfirmed(bool keepSourceFolder = false) {
        controller->btnProcessTapped();
        controller->destinationChosen(true, out.path() + "/Out", keepSourceFolder);
        QDir().mkpath(out.path() + "/Out");
        fireDelays();
        controller->alertAnswered(100, Button::Yes);
    }
    void waitForEnd() {
        QSignalSpy ended(&controller->runner(), &BatchRunner::runEnded);
        if (controller->isRunning()) {
            ASSERT_TRUE(ended.wait(20000));
        }
    }

    QTemporaryDir out;
    RecordingRunForm form;
    ScriptedPhotoWriter writer;
    SettableSpace space;
    NoPlaces places;
    std::unique_ptr<BatchRunController> controller;
    ManualDelay delayed;
    QStringList events;
    QList<int> progress;
    std::vector<BatchSummary> summaries;
    std::atomic<double> clock{1000};  // seconds
};

TEST_F(ABatchRunOnScreen, goesFromStartThroughTheConfirmationToTheSummary) {
    controller->btnProcessTapped();
    EXPECT_EQ(events, QStringList({"panel"}));
    controller->destinationChosen(true, out.path() + "/Mixed Case", false);
    QDir().mkpath(out.path() + "/Mixed Case");
    EXPECT_EQ(controller->selectedOutputFolder(), out.path() + "/Mixed Case");
    EXPECT_EQ(events.size(), 1) << "the confirmation waits";
    EXPECT_EQ(fireDelays(), QList<int>({500}));
    controller->alertAnswered(100, Button::Yes);
    waitForEnd();
    EXPECT_EQ(progress, QList<int>({0, 33, 66, 100}));
    EXPECT_EQ(fireDelays(), QList<int>({200}));
    EXPECT_EQ(events, QStringList({"panel", "alert 100", "sheet", "sheet hidden"}));
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0].title, "Batch Process Finished");
    EXPECT_EQ(summaries[0].processed, "3");
    EXPECT_EQ(summaries[0].windowHeight, 250);
    EXPECT_EQ(summaries[0].link.title, out.path() + "/Mixed Case");
    EXPECT_EQ(writer.artists, QStringList({"Edited", "Edited", "Edited"}));
    EXPECT_TRUE(form.restoreEnabled);
    EXPECT_FALSE(form.changed);
    EXPECT_TRUE(form.steps.contains("reset on"));
    EXPECT_TRUE(QFile::exists(form.photos[2].processedPath)) << "results reach the batch";
}

TEST_F(ABatchRunOnScreen, restoresOverTheCopiesWithTheRecordFromBeforeTheEdits) {
    startConfirmed();
    waitForEnd();
    fireDelays();
    controller->btnRestoreTapped();
    EXPECT_EQ(events.last(), "alert 101");
    controller->alertAnswered(101, Button::Yes);
    EXPECT_FALSE(form.restoreEnabled);
    waitForEnd();
    EXPECT_EQ(writer.artists.mid(3), QStringList({"Before", "Before", "Before"}));
    EXPECT_EQ(writer.restores.mid(3), QList<bool>({true, true, true}));
    EXPECT_EQ(form.steps.count("setup"), 1) << "a restore reloads the form";
    EXPECT_FALSE(form.restoreEnabled);
    form.steps.clear();
    controller->btnRestoreTapped();
    EXPECT_EQ(events.last(), "sheet hidden") << "Restore is off after a restore";
}

TEST_F(ABatchRunOnScreen, stopsAfterThePhotoInHand) {
    addPhoto("P4.JPG");
    addPhoto("P5.JPG");
    writer.holdBack = "P2.JPG";
    startConfirmed();
    writer.waitUntilStarted("P2.JPG");
    controller->btnStopProcessTapped();
    writer.release();
    waitForEnd();
    fireDelays();
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0].title, "Batch Process Stopped");
    EXPECT_EQ(summaries[0].skipped, "3");
    EXPECT_EQ(writer.started, QStringList({"P1.JPG", "P2.JPG"}));
}

TEST_F(ABatchRunOnScreen, endsOnLowSpaceAndShowsTheSummaryOnlyAfterTheAlert) {
    space.space = BatchRunner::kMinimumFreeSpace - 1;
    writer.holdBack = "P1.JPG";
    startConfirmed();
    writer.waitUntilStarted("P1.JPG");
    clock = clock + 4;  // the photo in hand takes four seconds
    writer.release();
    waitForEnd();
    EXPECT_EQ(events.mid(events.indexOf("sheet")), QStringList({"sheet", "sheet hidden", "alert 102", "sheet hidden"}));
    EXPECT_TRUE(fireDelays().isEmpty());
    EXPECT_TRUE(summaries.empty());
    clock = clock + 600;  // the alert stands open for ten minutes
    controller->alertAnswered(102, Button::OK);
    EXPECT_EQ(fireDelays(), QList<int>({200}));
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0].title, "Batch Process Stopped");
    EXPECT_EQ(summaries[0].processed, "1");
    EXPECT_EQ(summaries[0].elapsed, BatchTexts::elapsedText(4));
}

TEST_F(ABatchRunOnScreen, refusesAFolderItCannotWriteOnceAndKeepsTheEdits) {
    space.readOnly = {out.path() + "/Out"};
    space.space = 0;  // as a read-only volume reports it
    startConfirmed();
    waitForEnd();
    EXPECT_EQ(events.mid(events.indexOf("sheet")), QStringList({"sheet", "sheet hidden", "alert 116"}));
    EXPECT_EQ(controller->unwritableFolder(), out.path() + "/Out");
    EXPECT_TRUE(writer.started.isEmpty());
    controller->alertAnswered(116, Button::OK);
    EXPECT_TRUE(fireDelays().isEmpty());
    EXPECT_TRUE(summaries.empty()) << "no photo was processed: there is nothing to sum up";
    EXPECT_TRUE(form.changed) << "the edits are still to be written";
    EXPECT_FALSE(form.steps.contains("drop edits"));
    EXPECT_FALSE(form.restoreEnabled) << "no copy to restore";
    EXPECT_TRUE(form.dragAndDrop) << "the form is the user's again";
}

// The refusal's advice follows where the copies were to go: beside their sources, into the chosen folder, or over
// the copies of the last run.
TEST_F(ABatchRunOnScreen, saysWhereTheCopiesOfARefusedRunWereToGo) {
    startConfirmed(true);  // the photos' own folder is gone
    waitForEnd();
    EXPECT_EQ(controller->unwritableFolder(), out.path() + "/src");
    EXPECT_EQ(controller->copyDestination(), CopyDestination::SourceFolders);
    startConfirmed();
    waitForEnd();
    fireDelays();
    EXPECT_EQ(controller->unwritableFolder(), "");
    EXPECT_EQ(controller->copyDestination(), CopyDestination::ChosenFolder);
    space.readOnly = {out.path() + "/Out"};
    controller->btnRestoreTapped();
    controller->alertAnswered(101, Button::Yes);
    waitForEnd();
    EXPECT_EQ(controller->unwritableFolder(), out.path() + "/Out");
    EXPECT_EQ(controller->copyDestination(), CopyDestination::EarlierCopies);
}

TEST_F(ABatchRunOnScreen, asksBeforeAnUnchangedRunAndChecksTheFormAgain) {
    form.changed = false;
    controller->btnProcessTapped();
    controller->destinationChosen(true, out.path(), false);
    fireDelays();
    EXPECT_EQ(events.last(), "alert 111");
    form.valid = false;
    controller->alertAnswered(111, Button::Yes);
    EXPECT_EQ(events.last(), "alert 112");
    EXPECT_FALSE(controller->isRunning());

    form.valid = true;
    form.changed = true;
    controller->btnProcessTapped();
    form.valid = false;
    controller->destinationChosen(true, out.path(), true);
    EXPECT_EQ(events.last(), "alert 112") << "an invalid form is refused at once";
    EXPECT_TRUE(delayed.empty());
    EXPECT_EQ(controller->destinationFolderCheck(), 1);
}

TEST_F(ABatchRunOnScreen, opensThePanelOnlyAfterYesToTheRenamingWarning) {
    form.startAlert = 113;
    controller->btnProcessTapped();
    EXPECT_EQ(events, QStringList({"alert 113"}));
    controller->alertAnswered(113, Button::No);
    EXPECT_EQ(events.size(), 1);
    controller->btnProcessTapped();
    form.steps.clear();
    controller->alertAnswered(113, Button::Yes);
    EXPECT_EQ(events.last(), "panel");
    EXPECT_EQ(form.steps, QStringList({"next on"})) << "the buttons come back before the panel opens";
}

TEST_F(ABatchRunOnScreen, cancelledPanelOnlyGivesTheButtonsBack) {
    form.onRenamingPage = true;
    controller->btnProcessTapped();
    form.steps.clear();
    controller->destinationChosen(false, QString(), false);
    EXPECT_EQ(form.steps, QStringList({"drop on", "next off"}));
    EXPECT_TRUE(delayed.empty());
}

TEST_F(ABatchRunOnScreen, withNothingTickedStartsNothing) {
    for (PhotoFile& p : form.photos) p.isSelected = false;
    startConfirmed();
    EXPECT_FALSE(controller->isRunning());
    EXPECT_FALSE(events.contains("sheet"));
    EXPECT_TRUE(progress.isEmpty());
}

TEST_F(ABatchRunOnScreen, resetDropsTheEditsAndReloads) {
    controller->btnResetTapped();
    EXPECT_EQ(form.steps, QStringList({"reset off", "drop edits", "setup"}));
}

// Answers every position with one place and counts the questions.
class CountingPlaces : public platform::ReverseGeocoding {
  public:
    void reverseGeocodeLocation(double, double, Completion completion) override {
        ++requests;
        completion(QVariantMap{{"Name", "Louvre"}, {"City", "Paris"}}, {});
    }
    std::atomic<int> requests{0};
};

TEST(APlaceNamedRun, looksEachPositionUpOnceUntilTheBatchChanges) {
    QTemporaryDir out;
    RecordingRunForm form;
    for (const char* name : {"A.JPG", "B.JPG"}) {
        form.addPhoto(out.path(), name);
        MetaDataObject taken;
        taken.GPS_Lattitude = "48.8606";
        taken.GPS_Longitude = "2.3376";
        form.photos.back().metadataObjectOriginal = taken;
    }
    form.renaming.renamingOptionIndex = OutputRenamingOptions::NewFileName;
    form.renaming.addEXIFLocationCheck = 1;
    ScriptedPhotoWriter writer;
    SettableSpace space;
    CountingPlaces places;
    BatchRunner::Services services;
    services.writer = writer.writer();
    services.files = &space;
    services.geocoder = &places;
    BatchRunController controller(form, services);
    controller.setOutputFolder(out.path());
    const auto run = [&] {
        QSignalSpy ended(&controller.runner(), &BatchRunner::runEnded);
        controller.startProcessBtnYesTapped();
        ASSERT_TRUE(ended.wait(20000));
    };

    run();
    run();
    EXPECT_EQ(places.requests, 1) << "both photos and both runs share one answer";
    EXPECT_TRUE(QFile::exists(out.path() + "/BLouvre_Paris.JPG"));
    controller.resetPlaceCache();
    run();
    EXPECT_EQ(places.requests, 2);
}

TEST(TheOutputLink, pointsAtTheOneFolderTheCopiesWentTo) {
    const auto photoIn = [](const QString& folder) {
        PhotoFile p;
        p.filePath = folder + "/a.jpg";
        p.fileContainerFolderName = QFileInfo(folder).fileName();
        return p;
    };
    OutputRenamingOptions beside;
    beside.sourceFolderSelected = 1;
    const OutputLink one = OutputLink::forRun(beside, "/chosen", {photoIn("/a/x"), photoIn("/a/x")});
    EXPECT_EQ(one.title, "/a/x");
    EXPECT_TRUE(one.linkShown);
    // Two folders both called "x": not one folder.
    const OutputLink two = OutputLink::forRun(beside, "/chosen", {photoIn("/a/x"), photoIn("/b/x")});
    EXPECT_FALSE(two.linkShown);
    EXPECT_TRUE(two.noteShown);
    const OutputLink chosen = OutputLink::forRun(OutputRenamingOptions(), "/chosen", {photoIn("/a/x")});
    EXPECT_EQ(chosen.title, "/chosen");
    EXPECT_TRUE(chosen.linkShown);
    EXPECT_FALSE(chosen.noteShown);
}

TEST(TheSummary, listsFailedPhotosThenWarningsInATallerWindow) {
    BatchRunState state;
    state.runCount = 4;
    state.counterTotalProgressedFiles = 3;
    state.counterProcessedWithError = 1;
    state.arrProcessedWithError.resize(1);
    state.arrProcessedWithWarning.resize(1);
    BatchSummary s = BatchSummary::make(state, {}, 65);
    EXPECT_EQ(s.errorsLabel, "Error Found(1) Warning Found(1)");
    EXPECT_EQ(s.windowHeight, 450);
    EXPECT_EQ(s.rows.size(), 2u);
    state.counterProcessedWithError = 0;
    state.arrProcessedWithError.clear();
    state.arrProcessedWithWarning.clear();
    s = BatchSummary::make(state, {}, 0);
    EXPECT_TRUE(s.errorsHidden);
    EXPECT_EQ(s.windowHeight, 250);
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <condition_variable>
#include <deque>
#include <mutex>

#include "batch/BatchRunController.h"

namespace {

using Button = BatchRunController::AlertButton;

class NoPlaces : public platform::ReverseGeocoding {
  public:
    void reverseGeocodeLocation(double, double, Completion completion) override { completion(std::nullopt, {}); }
};

class SettableSpace : public platform::FileManager {
  public:
    std::optional<qint64> freeSpace(const QString&) const override { return space.load(); }
    std::atomic<qint64> space{qint64(1) << 40};
};

// The form as the run sees it, recording every step the run takes on it.
class RecordingForm : public BatchRunForm {
  public:
    bool isValidFormData() override { return valid; }
    int startDecision(const OutputRenamingOptions&) override { return valid ? startAlert : 112; }
    bool isParamsChanged() const override { return changed; }
    bool isMetaDataResetEnable() const override { return resetAllowed; }
    bool isStartEnabled() const override { return true; }
    bool isOnRenamingPage() const override { return onRenamingPage; }
    bool isRestoreEnabled() const override { return restoreEnabled; }
    bool isBatchEmpty() const override { return photos.empty(); }
    OutputRenamingOptions renamingOptions(int destination, const QString& folder) const override {
        OutputRenamingOptions o = renaming;
        o.sourceFolderSelected = destination;
        o.outputFolderPathName = folder;
        return o;
    }
    MetaDataObject metaDataObject() const override { return form; }
    MetaDataObject metaDataObjectBeforeSaving() const override { return beforeSaving; }
    MetaDataObject createUpdatedChangesOnly() override { return form; }
    std::vector<PhotoFile> tickedPhotos() const override {
        std::vector<PhotoFile> ticked;
        for (const PhotoFile& p : photos)
            if (p.isSelected) ticked.push_back(p);
        return ticked;
    }
    void applyPhotoResult(const PhotoFile& photo, const BatchPhotoResult& result) override {
        for (PhotoFile& p : photos) {
            if (p.filePath != photo.filePath) continue;
            p.processStatus = result.errorFlag;
            p.processedPath = result.processedPath;
        }
    }
    void enableDragAndDrop(bool enable) override { steps << (enable ? "drop on" : "drop off"); }
    void setPresetsAndNextEnabled(bool enable) override { steps << (enable ? "next on" : "next off"); }
    void setRestoreEnabled(bool enable) override { restoreEnabled = enable; }
    void setResetEnabled(bool enable) override { steps << (enable ? "reset on" : "reset off"); }
    void dropPendingEdits() override { steps << "drop edits"; }
    void highlightBorders() override { steps << "borders"; }
    void setupUIForSelectedPhotoFiles() override {
        steps << "setup";
        restoreEnabled = false;
    }
    void isMetadataParamChanged(bool c) override { changed = c; }
    void processAfterAllPhotosAdded() override { steps << "after add"; }
    void deleteSelectedPhotos() override { steps << "delete"; }
    void enableView(bool enable) override { steps << (enable ? "view on" : "view off"); }
    void btnRemoveFromBatchTapped() override { steps << "remove missing"; }

    int startAlert = 0;
    bool valid = true, changed = true, resetAllowed = true, onRenamingPage = false, restoreEnabled = false;
    OutputRenamingOptions renaming;
    MetaDataObject form, beforeSaving;
    std::vector<PhotoFile> photos;
    QStringList steps;
};

// Writes a small file per photo; can hold a photo back until released.
class HoldingWriter {
  public:
    std::optional<PhotoWriteOutcome> operator()(const PhotoFile& photo, const MetaDataObject& settings,
                                                const QString& path, bool restore) {
        std::unique_lock lock(mutex);
        started << photo.fileName;
        changed.notify_all();
        changed.wait(lock, [&] { return holdBack != photo.fileName; });
        artists << settings.Artist;
        restores << restore;
        const QString target = restore ? photo.processedPath : path;
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly)) return PhotoWriteOutcome{2, "cannot write", {}};
        return PhotoWriteOutcome{flags.value(photo.fileName, 0), "writer message", target};
    }
    void waitUntilStarted(const QString& name) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started.contains(name); });
    }
    void release() {
        std::lock_guard lock(mutex);
        holdBack.clear();
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    QStringList started, artists;
    QList<bool> restores;
    QString holdBack;
    QHash<QString, int> flags;
};

class ABatchRunOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(out.isValid());
        for (int i = 1; i <= 3; ++i) addPhoto(QStringLiteral("P%1.JPG").arg(i));
        form.form.Artist = "Edited";
        form.beforeSaving.Artist = "Before";
        BatchRunner::Services services;
        services.writer = [this](const PhotoFile& photo, const MetaDataObject& settings, const QString& path,
                                 const MetaDataObject&,
                                 bool restore) { return writer(photo, settings, path, restore); };
        services.files = &space;
        services.geocoder = &places;
        services.parallelWrites = 1;
        controller = std::make_unique<BatchRunController>(form, services);
        controller->setDelay([this](int ms, std::function<void()> call) { delayed.push_back({ms, std::move(call)}); });
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
    void addPhoto(const QString& name, const QString& folder = QString()) {
        PhotoFile p;
        p.fileName = p.originalFileName = name;
        p.filePath = (folder.isEmpty() ? out.path() + "/src" : folder) + "/" + name;
        p.fileExtension = "JPG";
        p.isSelected = true;
        p.metadataObjectOriginal = MetaDataObject();
        form.photos.push_back(p);
    }
    // Runs the delayed calls that are due, in order, and says which delays they had.
    QList<int> fireDelays() {
        QList<int> fired;
        while (!delayed.empty()) {
            auto [ms, call] = std::move(delayed.front());
            delayed.pop_front();
            fired << ms;
            call();
        }
        return fired;
    }
    void startConfirmed() {
        controller->btnProcessTapped();
        controller->destinationChosen(true, out.path() + "/Out", false);
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
    RecordingForm form;
    HoldingWriter writer;
    SettableSpace space;
    NoPlaces places;
    std::unique_ptr<BatchRunController> controller;
    std::deque<std::pair<int, std::function<void()>>> delayed;
    QStringList events;
    QList<int> progress;
    std::vector<BatchSummary> summaries;
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
    startConfirmed();
    waitForEnd();
    EXPECT_EQ(events.mid(events.indexOf("sheet")), QStringList({"sheet", "sheet hidden", "alert 102", "sheet hidden"}));
    EXPECT_TRUE(fireDelays().isEmpty());
    EXPECT_TRUE(summaries.empty());
    controller->alertAnswered(102, Button::OK);
    EXPECT_EQ(fireDelays(), QList<int>({200}));
    ASSERT_EQ(summaries.size(), 1u);
    EXPECT_EQ(summaries[0].title, "Batch Process Stopped");
    EXPECT_EQ(summaries[0].processed, "1");
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

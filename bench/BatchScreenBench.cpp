// Runs a batch from the editing screen, as a user would: the folder is added through the screen, the bench
// edit goes into the form, Start is pressed, the destination is chosen and the run confirmed. Prints the run's
// time (from the confirmation to the end of the run, as lumarind-batch-bench times its run) and the longest
// stall of the event loop while the progress sheet was up (run lumarind-batch-bench after a `sync`, too):
//   lumarind-batch-screen-bench <photo folder> <output folder>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

#include "Helper/MetadataWorkerPool.h"
#include "batch/DateRuleChecks.h"
#include "bench/RunUntil.h"
#include "bench/StallMeter.h"
#include "controls/SubWindowState.h"
#include "editor/BatchRunScreen.h"
#include "editor/EditorBatchActions.h"
#include "editor/ExifEditorView.h"
#include "intake/PhotoIntake.h"
#include "model/MetadataKeyTable.h"
#include "model/PresetStore.h"
#include "platform/Alerts.h"
#include "platform/OpenPanel.h"
#include "platform/UserDefaults.h"
#include "tests/common/EditRecords.h"

namespace {

// The user's answers: Yes to every question, and the output folder in the destination panel.
class YesToAll : public platform::AlertPresenter {
  public:
    void beginSheet(const platform::Alert&, QWidget*, Done done) override {
        if (done) QTimer::singleShot(0, [done] { done({0, false}); });
    }
};

class ChooseFolder : public platform::OpenPanelPresenter {
  public:
    explicit ChooseFolder(QString folder) : m_folder(std::move(folder)) {}
    void beginSheet(const platform::OpenPanelOptions&, QWidget*, Done done) override {
        if (done) done({true, {m_folder}, false});
    }

  private:
    QString m_folder;
};

// The bench edit, put into the form as typed edits and the date panel would put it.
void editForm(ExifEditorView& view) {
    const MetaDataObject edit = editrecords::typicalEdit();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (edit.*(row.updated)) view.session().editField(row, edit.*(row.field));
    }
    view.session().setDateRule(0, edit.dateTimeConfigOriginalDate,
                               DateRuleChecks::ruleSummary(*edit.dateTimeConfigOriginalDate));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumarind-batch-screen-bench <photo folder> <output folder>\n");
        return 2;
    }
    MetadataWorkerPool::install();
    const QString input = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(output);
    YesToAll alerts;
    ChooseFolder panel(output);
    platform::AlertPresenter::install(&alerts);
    platform::OpenPanelPresenter::install(&panel);

    QTemporaryDir home;
    platform::UserDefaults defaults(home.filePath("defaults.ini"));
    PresetStore presets(defaults);
    QList<PhotoFile> batch;
    QSet<QString> added;
    MetaDataObject selection;
    SubWindowState subWindow;
    ExifEditorView view({batch, added, presets, selection, subWindow});
    view.resize(1200, 800);
    view.show();

    QEventLoop adding;
    QObject::connect(&view.intake(), &PhotoIntake::importHandedBack, &adding, &QEventLoop::quit);
    view.addPhotosFromPathUrls({input}, false);
    adding.exec();
    // The form's set-up merges the ticked photos; the edit goes in once it has.
    runUntil([&] { return !view.isProcessingWithFileSystem() && view.btnProcess()->isEnabled(); });
    editForm(view);

    BatchRunController& controller = view.batchActions().controller();
    QElapsedTimer run;
    StallMeter meter;
    qint64 longestStall = 0;
    QObject::connect(&controller, &BatchRunController::progressSheetShown, [&] {
        run.start();
        meter.start();
    });
    QEventLoop running;
    QObject::connect(&controller.runner(), &BatchRunner::runEnded, &running, [&] {
        longestStall = meter.stop();
        running.quit();
    });
    // Dirty pages of earlier runs are written out first, so every run meets an idle disk.
    ::sync();
    view.btnProcess()->click();
    running.exec();
    const double seconds = run.elapsed() / 1000.0;
    const BatchRunState& state = controller.runner().state();
    std::printf("screen run: %lld photos in %.2f s (%.1f photos/s), processed %lld, failed %lld\n",
                static_cast<long long>(state.runCount), seconds, state.runCount / std::max(seconds, 1e-9),
                static_cast<long long>(state.counterProcessedSuccessfully),
                static_cast<long long>(state.counterProcessedWithError));
    std::printf("longest event-loop stall while the progress sheet was up: %lld ms\n",
                static_cast<long long>(longestStall));
    platform::AlertPresenter::install(nullptr);
    platform::OpenPanelPresenter::install(nullptr);
    return state.counterProcessedWithError == 0 ? 0 : 3;
}

// Adds a folder through the intake and runs a batch over it, as a user would with a few common edits:
//   lumarind-batch-bench <photo folder> <output folder>
// Prints "N photos in S s (P photos/s), processed X, failed Y, warnings Z" for the run alone.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSet>
#include <QTextStream>

#include <cstdio>

#include "Helper/MetadataWorkerPool.h"
#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"
#include "intake/PhotoIntake.h"
#include "tests/common/EditRecords.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lumarind-batch-bench <photo folder> <output folder>\n");
        return 2;
    }
    MetadataWorkerPool::install();
    const QString input = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(output);

    QList<PhotoFile> batch;
    QSet<QString> added;
    PhotoIntake intake(batch, added);
    QElapsedTimer intakeTimer;
    intakeTimer.start();
    intake.addPhotosFromPathUrls({input}, false);
    intake.waitForImport();
    std::fprintf(stderr, "intake: %lld photos in %.2f s\n", static_cast<long long>(batch.size()),
                 intakeTimer.elapsed() / 1000.0);

    BatchRunRequest request;
    for (PhotoFile& photo : batch) {
        photo.isSelected = true;
        request.runList.push_back(photo);
    }
    request.settings = editrecords::typicalEdit();
    request.changedFields = request.settings;
    request.renaming.outputFolderPathName = output;
    request.selectedOutputFolder = output;

    BatchRunner::Services services;
    services.writer = ExifPhotoWriter::make();
    // LUMARIND_BENCH_WRITERS=1 measures the one-by-one run.
    services.parallelWrites = qEnvironmentVariableIntValue("LUMARIND_BENCH_WRITERS");
    BatchRunner runner(services);
    QObject::connect(&runner, &BatchRunner::runEnded, &app, &QCoreApplication::quit);
    QElapsedTimer timer;
    timer.start();
    if (!runner.start(request)) {
        std::fprintf(stderr, "nothing to process in %s\n", argv[1]);
        return 1;
    }
    app.exec();
    const double seconds = timer.elapsed() / 1000.0;
    const BatchRunState& state = runner.state();
    std::printf("%lld photos in %.2f s (%.1f photos/s), processed %lld, failed %lld, warnings %zu\n",
                static_cast<long long>(state.runCount), seconds, state.runCount / std::max(seconds, 1e-9),
                static_cast<long long>(state.counterProcessedSuccessfully),
                static_cast<long long>(state.counterProcessedWithError), state.arrProcessedWithWarning.size());
    return state.counterProcessedWithError == 0 ? 0 : 3;
}

// Adds a folder of generated JPEG copies of the sample camera photos through the photo intake, as the
// editing screen does, and prints photos per second, the longest stall of the main thread and peak memory,
// beside one `exiv2 -pa` process reading the same files.
//
//   lumarind-intake-bench [count=10000] [corpus folder] [reading threads of the measured add, 0 = all]

#include "Helper/ExifMetadataReading.h"
#include "bench/ProcessMemory.h"
#include "intake/PhotoIntake.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

QStringList samplePhotos(const QString& corpus) {
    QFile manifest(corpus + "/MANIFEST.tsv");
    QStringList photos;
    if (!manifest.open(QIODevice::ReadOnly)) return photos;
    for (const QByteArray& line : manifest.readAll().split('\n')) {
        const QList<QByteArray> columns = line.split('\t');
        if (columns.size() > 18 && columns.at(18).startsWith("jpeg"))
            photos.append(corpus + "/" + QString::fromUtf8(columns.at(0)));
    }
    return photos;
}

QStringList generateCopies(const QStringList& samples, int count, const QString& folder) {
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString sample = samples.at(i % samples.size());
        const QString target =
            QString("%1/%2/%3.jpg").arg(folder).arg(i / 1000, 2, 10, QChar('0')).arg(i, 5, 10, QChar('0'));
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(sample, target);
        files.append(target);
    }
    return files;
}

struct IntakeRun {
    double seconds = 0;
    qsizetype photos = 0;
    qint64 longestStallMs = 0;
};

IntakeRun runIntake(const QString& folder, int threads, QList<PhotoFile>& batch) {
    QSet<QString> added;
    PhotoIntake intake(batch, added);
    PhotoImportTask::Settings settings;
    settings.threads = threads;
    intake.setSettings(settings);

    // A repeating main-thread tick: the gap between two ticks is how long the window would have frozen.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    QEventLoop loop;
    QObject::connect(&intake, &PhotoIntake::importHandedBack, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    tick.start();
    intake.addPhotosFromPathUrls({folder}, false);
    loop.exec();
    IntakeRun run;
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.longestStallMs = std::max(longestStall, sinceTick.elapsed());
    run.photos = batch.size();
    return run;
}

double runExiv2(const QStringList& files) {
    QProcess exiv2;
    exiv2.setStandardOutputFile(QProcess::nullDevice());
    exiv2.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    exiv2.start("exiv2", QStringList{"-pa"} + files);
    if (!exiv2.waitForFinished(-1) || exiv2.exitStatus() != QProcess::NormalExit) return -1;
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString(argv[1]).toInt() : 10000;
    const QString corpus = argc > 2 && argv[2][0] ? QString(argv[2]) : QString(LUMARIND_CORPUS_DIR);
    const int threads = argc > 3 ? QString(argv[3]).toInt() : 0;
    QTextStream out(stdout);

    const QStringList samples = samplePhotos(corpus);
    if (samples.isEmpty()) {
        out << "No sample photos in " << corpus << "\n";
        return 1;
    }
    ExifMetadataReading::install();
    QTemporaryDir dir;
    const QStringList files = generateCopies(samples, count, dir.path());
    out << "photos: " << files.size() << " copies of " << samples.size() << " sample JPEGs\n";

    const double exiv2Seconds = runExiv2(files);
    const long baselineKb = statusKilobytes("VmRSS:");

    QList<PhotoFile> batch;
    const IntakeRun parallel = runIntake(dir.path(), threads, batch);
    const long peakKb = statusKilobytes("VmHWM:");
    const long heldKb = statusKilobytes("VmRSS:");

    const double perPhotoKb = double(peakKb - baselineKb) / std::max<qsizetype>(1, parallel.photos);
    const double heldPerPhotoKb = double(heldKb - baselineKb) / std::max<qsizetype>(1, parallel.photos);
    batch.clear();
    const IntakeRun single = runIntake(dir.path(), 1, batch);
    batch.clear();

    out << Qt::fixed;
    out.setRealNumberPrecision(1);
    out << "exiv2 -pa (one process):      " << exiv2Seconds << " s, " << files.size() / exiv2Seconds << " photos/s\n";
    out << "intake, "
        << (threads > 0 ? QString::number(threads).rightJustified(2) + " reading threads: "
                        : QString("all processors:       "))
        << parallel.seconds << " s, " << parallel.photos / parallel.seconds << " photos/s, longest main-thread stall "
        << parallel.longestStallMs << " ms\n";
    out << "intake, one reading thread:   " << single.seconds << " s, " << single.photos / single.seconds
        << " photos/s, longest main-thread stall " << single.longestStallMs << " ms\n";
    out << "memory: baseline " << baselineKb / 1024.0 << " MiB, peak " << peakKb / 1024.0 << " MiB, " << perPhotoKb
        << " KiB per photo; 100000 photos ~ " << (baselineKb + perPhotoKb * 100000) / 1024.0 << " MiB\n";
    out << "held after the add: " << heldKb / 1024.0 << " MiB, " << heldPerPhotoKb << " KiB per photo\n";
    return 0;
}

// Photos side by side at scale: copies of four camera JPEGs with XMP packets, read in on all cores, written in
// one batch at the default number of writers after every idle worker has been killed, and read on all cores,
// each compared with the same photo handled alone.
//   lumarind-parallel-bench [copies of each photo = 500]
// Prints the workers killed, the photos failed and the mismatches of the writes and of the reads; the last
// three must be 0.
#include "Helper/MetadataWorkerPool.h"
#include "model/RecordTransfer.h"
#include "tests/workers/ParallelCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtConcurrent>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    MetadataWorkerPool::install();
    const int copiesEach = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500;
    QTemporaryDir work;
    QStringList singles;
    QStringList many;
    QList<int> kindOf;
    const QStringList names = parallelcheck::xmpPhotoNames();
    QDir().mkpath(work.filePath("many"));
    for (int kind = 0; kind < names.size(); ++kind) {
        const QString original = QStringLiteral(LUMARIND_CORPUS_DIR "/") + names[kind];
        singles.append(work.filePath(QStringLiteral("photo%1.jpg").arg(kind)));
        if (!QFile::copy(original, singles.back())) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(original));
            return 1;
        }
        for (int copy = 0; copy < copiesEach; ++copy) {
            many.append(work.filePath(QStringLiteral("many/photo%1-%2.jpg").arg(kind).arg(copy)));
            QFile::copy(original, many.back());
            kindOf.append(kind);
        }
    }

    QStringList alone;
    for (const QString& single : singles) {
        alone += parallelcheck::runBatch(parallelcheck::photosAt({single}),
                                         work.filePath("alone-" + QFileInfo(single).baseName()), nullptr);
    }
    // As between an add and a run: the workers that read the photos in sit idle and are killed.
    std::vector<PhotoFile> photos = parallelcheck::photosAt(many);
    const int killed = parallelcheck::killWorkers(MetadataWorkerPool::defaultProgram());
    QElapsedTimer timer;
    timer.start();
    int failed = 0;
    const QStringList together = parallelcheck::runBatch(std::move(photos), work.filePath("out"), &failed);
    const double writeSeconds = timer.elapsed() / 1000.0;
    const int writeMismatches = parallelcheck::mismatches(alone, together, kindOf) + int(many.size() - together.size());

    const auto fieldsOf = [](const QString& path) {
        return RecordTransfer::fields(
            *PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false).metadataObject);
    };
    QList<QJsonObject> reference;
    for (const QString& single : singles) reference.append(fieldsOf(single));
    timer.restart();
    const QList<QJsonObject> read = QtConcurrent::blockingMapped(many, fieldsOf);
    const double readSeconds = timer.elapsed() / 1000.0;
    int readMismatches = 0;
    for (qsizetype i = 0; i < many.size(); ++i) readMismatches += read[i] != reference[kindOf[i]] ? 1 : 0;

    std::printf("%d idle workers killed before the run\n", killed);
    std::printf("%lld photos written side by side in %.2f s: %d failed, %d mismatches\n",
                static_cast<long long>(many.size()), writeSeconds, failed, writeMismatches);
    std::printf("%lld photos read on all cores in %.2f s: %d mismatches\n", static_cast<long long>(many.size()),
                readSeconds, readMismatches);
    return failed + writeMismatches + readMismatches == 0 ? 0 : 3;
}

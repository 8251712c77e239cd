// The writer alone: N photos written with the batch's usual settings (one worker process, then one per core), and
// `cp` of the same files beside it.
//
//   lumarind-write-bench [photo folder] [count]
//
// Without a folder it makes count (default 300) copies of a 12-megapixel JPEG of about 3 MB carrying a real
// camera's metadata. Reading the photos into batch items is not timed: intake does that.
#include "Helper/MetadataWorkerPool.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "tests/common/EditRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// A photo-like JPEG: noise compresses about as badly as a real scene does.
QString makeSamplePhoto(const QString& folder) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) line[x] = 0xff000000u | (random.generate() & 0x3f3f3fu) | 0x404040u;
    }
    const QString path = folder + "/sample.jpg";
    image.save(path, "JPEG", 75);
    const QString camera = QStringLiteral(LUMARIND_CORPUS_DIR) + "/Canon EOS 7D.jpg";
    if (QFile::exists(camera)) {
        QProcess::execute("exiftool", {"-q", "-q", "-overwrite_original", "-TagsFromFile", camera, "-all:all", path});
    }
    return path;
}

QStringList makeSources(const QString& folder, int count) {
    const QString sample = makeSamplePhoto(folder);
    QDir().mkpath(folder + "/in");
    QStringList sources;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/in/photo%2.jpg").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        QFile::copy(sample, path);
        sources.append(path);
    }
    return sources;
}

QStringList photosIn(const QString& folder, int limit) {
    QStringList sources;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        if (sources.size() >= limit) break;
        sources.append(info.absoluteFilePath());
    }
    return sources;
}

std::vector<PhotoFile> readPhotos(const QStringList& sources) {
    MetadataWorkerPool::install();
    std::vector<PhotoFile> photos;
    for (const QString& path : sources) {
        photos.push_back(PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false));
        // Warm the cache for both contenders.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) file.readAll();
    }
    return photos;
}

struct Run {
    double seconds = 0;
    int written = 0;
    int failed = 0;
};

Run writeAll(const std::vector<PhotoFile>& photos, const QString& outFolder, unsigned threads) {
    QDir(outFolder).removeRecursively();
    QDir().mkpath(outFolder);
    const MetaDataObject settings = editrecords::typicalEdit();
    MetadataWorkerPool::Settings poolSettings;
    poolSettings.workers = int(threads);
    const MetadataWorkerPool workers(poolSettings);
    std::atomic<size_t> next{0};
    std::atomic<int> written{0};
    std::atomic<int> failed{0};
    auto worker = [&] {
        for (size_t i = next++; i < photos.size(); i = next++) {
            const QString target = outFolder + '/' + photos[i].fileName;
            const ExifWriteResult result =
                workers.writeProcessedCopy(photos[i], settings, target, MetaDataObject(), false);
            (result.isWritten() ? written : failed)++;
        }
    };
    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
    for (std::thread& thread : pool) thread.join();
    return {timer.nsecsElapsed() / 1e9, written.load(), failed.load()};
}

double copyAll(const QStringList& sources, const QString& outFolder) {
    QDir(outFolder).removeRecursively();
    QDir().mkpath(outFolder);
    QElapsedTimer timer;
    timer.start();
    QProcess::execute("cp", QStringList(sources) << outFolder);
    return timer.nsecsElapsed() / 1e9;
}

void report(const char* what, int count, double seconds, const char* note) {
    std::printf("%-28s %5d photos in %7.3f s  (%8.1f photos/s)  %s\n", what, count, seconds, count / seconds, note);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args[1] : QString();
    const int count = args.size() > 2 ? args[2].toInt() : 300;
    QTemporaryDir work;
    const QStringList sources = folder.isEmpty() ? makeSources(work.path(), count) : photosIn(folder, count);
    if (sources.isEmpty()) {
        std::fprintf(stderr, "no photos to write\n");
        return 1;
    }
    qint64 bytes = 0;
    for (const QString& path : sources) bytes += QFileInfo(path).size();
    std::printf("%lld photos, %.1f MB\n", static_cast<long long>(sources.size()), bytes / 1e6);

    const std::vector<PhotoFile> photos = readPhotos(sources);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    // Each contender starts with no dirty pages of the one before it waiting to be flushed.
    QProcess::execute("sync", {});
    const double cp = copyAll(sources, work.path() + "/cp");
    QProcess::execute("sync", {});
    const Run single = writeAll(photos, work.path() + "/out1", 1);
    QProcess::execute("sync", {});
    const Run parallel = writeAll(photos, work.path() + "/outN", cores);

    const QByteArray cores_note = QByteArray::number(cores) + " threads";
    report("writer, 1 thread", single.written, single.seconds, "");
    report("writer, all cores", parallel.written, parallel.seconds, cores_note.constData());
    report("cp (one process)", static_cast<int>(sources.size()), cp, "");
    std::printf("writer/cp time: %.2f (1 thread), %.2f (all cores); failed %d\n", single.seconds / cp,
                parallel.seconds / cp, single.failed + parallel.failed);
    return single.failed + parallel.failed == 0 ? 0 : 2;
}

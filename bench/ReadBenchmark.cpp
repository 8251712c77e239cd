// lumarind-read-bench [count] [folder-of-sample-jpegs]
// Copies sample JPEGs round-robin into a temporary folder until there are <count> photos (default 1000),
// reads every one into a PhotoFile as the intake does, and prints photos per second. Then measures, in a
// fresh process each, the peak memory of a thumbnail and of a whole decode of a 6000x4000 JPEG.
#include "Helper/MetadataWorkerPool.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"
#include "platform/ImageSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The resident-memory high-water mark of this process image (unlike getrusage's, not inherited across exec).
long peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

QStringList sampleJpegs(const QString& folder) {
    QStringList samples;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({"*.jpg", "*.JPG", "*.jpeg"}, QDir::Files, QDir::Name)) {
        if (!name.startsWith("damaged-")) samples << dir.filePath(name);
    }
    return samples;
}

int measureDecode(const QString& mode, const QString& path) {
    MetadataWorkerPool::install();
    const long before = peakKilobytes();
    const QImage image = mode == "--thumbnail" ? Utils::sharedUtils().getThumbnailImageAtFilePath(path, QSizeF(96, 70))
                                               : platform::ImageSource::image(path);
    std::printf("%dx%d, peak memory grew by %.1f MB\n", image.width(), image.height(),
                double(peakKilobytes() - before) / 1024.0);
    return image.isNull() ? 1 : 0;
}

void reportDecodeMemory(const QString& folder) {
    const QString path = QDir(folder).filePath("huge.jpg");
    {
        QImage huge(6000, 4000, QImage::Format_RGB32);
        huge.fill(QColor(90, 140, 200));
        huge.save(path, "JPEG", 90);
    }
    for (const char* mode : {"--thumbnail", "--whole"}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), path});
        child.waitForFinished(-1);
        std::printf("6000x4000 JPEG %s: %s", mode + 2, child.readAllStandardOutput().constData());
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1].startsWith("--")) return measureDecode(arguments[1], arguments[2]);

    const int count = arguments.size() > 1 ? arguments[1].toInt() : 1000;
    const QString sampleFolder = arguments.size() > 2 ? arguments[2] : QStringLiteral(LUMARIND_SAMPLE_DIR);
    const QStringList samples = sampleJpegs(sampleFolder);
    if (samples.isEmpty() || count <= 0) {
        std::fprintf(stderr, "No sample JPEGs in %s\n", qPrintable(sampleFolder));
        return 1;
    }
    QTemporaryDir dir;
    QStringList paths;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString source = samples[i % samples.size()];
        const QString target = dir.filePath(QStringLiteral("photo_%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        QFile::copy(source, target);
        bytes += QFileInfo(target).size();
        paths << target;
    }

    MetadataWorkerPool::install();
    QElapsedTimer timer;
    timer.start();
    int withMake = 0;
    for (const QString& path : paths) {
        const PhotoFile photo = PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false);
        if (!photo.metadataObject->Cam_Make.isEmpty()) ++withMake;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf(
        "Read %d photos (%d distinct samples, %.1f MB, %d with a camera make) in %.2f s: %.0f photos per second\n",
        count, int(samples.size()), double(bytes) / 1e6, withMake, seconds, count / seconds);
    reportDecodeMemory(dir.path());
    return 0;
}

// Makes a folder of camera-like JPEGs for the benchmarks: a real camera photo scaled up to about 3 MB,
// with that camera's metadata, copied N times.
//   lumarind-make-sample-folder <folder> <count> [camera jpeg]
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: lumarind-make-sample-folder <folder> <count> [camera jpeg]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    const QString camera =
        argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(LUMARIND_CORPUS_DIR "/Canon EOS 7D.jpg");
    QDir().mkpath(folder);
    QImage image(camera);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(camera));
        return 1;
    }
    image =
        image.scaled(4000, 3000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    // A little grain so the picture compresses like a photo, not like a smooth gradient.
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = static_cast<int>(random.bounded(24u)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
        }
    }
    const QString first = QDir(folder).filePath("IMG_00001.JPG");
    QImageWriter writer(first, "jpeg");
    writer.setQuality(88);
    if (!writer.write(image)) return 1;
    QProcess::execute("exiftool", {"-q", "-overwrite_original", "-TagsFromFile", camera, "-all:all", first});
    for (int i = 2; i <= count; ++i) {
        QFile::copy(first, QDir(folder).filePath(QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0'))));
    }
    std::printf("%d photos of %lld bytes in %s\n", count, static_cast<long long>(QFile(first).size()),
                qPrintable(folder));
    return 0;
}

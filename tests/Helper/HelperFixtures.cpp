#include "tests/Helper/HelperFixtures.h"

#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>

namespace helperfixtures {

bool exiftoolAvailable() {
    return testsupport::exiftoolInstalled();
}

QString makeJpeg(const QString& folder, const QString& name, const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    const QString path = folder + QLatin1Char('/') + name;
    return image.save(path, "JPEG", 85) ? path : QString();
}

QString makeJpegWithEmptyResolution(const QString& folder, const QString& name) {
    const QString path = makeJpeg(folder, name, QSize(64, 48));
    if (path.isEmpty() || !exiftoolWrite(path, {"-XResolution=72", "-YResolution=72", "-ResolutionUnit=inches"}))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return {};
    QByteArray bytes = file.readAll();
    const qsizetype tiff = bytes.indexOf(QByteArray("Exif\0\0", 6)) + 6;
    if (tiff < 6 || bytes.mid(tiff, 2) != "MM") return {};  // exiftool writes big-endian directories
    const auto read16 = [&](qsizetype at) { return (quint8(bytes[at]) << 8) | quint8(bytes[at + 1]); };
    const qsizetype ifd0 = tiff + ((qsizetype(read16(tiff + 4)) << 16) | read16(tiff + 6));
    for (int entry = 0; entry < read16(ifd0); ++entry) {
        const qsizetype at = ifd0 + 2 + entry * 12;
        if (read16(at) != 0x011A) continue;
        for (int i = 4; i < 8; ++i) bytes[at + i] = 0;  // count: no components
        file.seek(0);
        file.write(bytes);
        return path;
    }
    return {};
}

bool exiftoolWrite(const QString& path, const QStringList& arguments) {
    int exitCode = -1;
    testsupport::exiftool(QStringList{"-q", "-q", "-overwrite_original", "-m"} + arguments + QStringList{path},
                          &exitCode);
    return exitCode == 0;
}

QString exiftoolValue(const QString& path, const QString& tag, bool numeric) {
    QStringList arguments{QStringLiteral("-s3"), QStringLiteral("-charset"), QStringLiteral("UTF8")};
    if (numeric) arguments << QStringLiteral("-n");
    arguments << QLatin1Char('-') + tag << path;
    return QString::fromUtf8(testsupport::exiftool(arguments)).trimmed();
}

QList<QMap<QString, QString>> corpusManifest() {
    QList<QMap<QString, QString>> rows;
    const QString folder = testsupport::corpusDir();
    QFile manifest(QDir(folder).filePath("MANIFEST.tsv"));
    if (folder.isEmpty() || !manifest.open(QIODevice::ReadOnly)) return rows;
    const QStringList lines = QString::fromUtf8(manifest.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList header = lines.value(0).split('\t');
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split('\t');
        QMap<QString, QString> row;
        for (qsizetype i = 0; i < header.size(); ++i) row.insert(header[i], cells.value(i));
        rows.append(row);
    }
    return rows;
}

}  // namespace helperfixtures

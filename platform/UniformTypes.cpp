#include "platform/UniformTypes.h"

#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

namespace platform {
namespace {

// Camera and image formats that the shared MIME database may not know (or files as something else),
// although every one of them is a picture.
const QSet<QString>& ownImageExtensions() {
    static const QSet<QString> extensions{
        "jpg", "jpeg", "jpe", "jfif", "png", "tif",  "tiff", "gif", "bmp", "webp", "heic", "heif", "avif", "jp2", "j2k",
        "jpf", "jpx",  "psd", "tga",  "ico", "icns", "pict", "pct", "eps", "dng",  "cr2",  "cr3",  "crw",  "nef", "nrw",
        "arw", "srf",  "sr2", "orf",  "rw2", "raf",  "pef",  "srw", "x3f", "3fr",  "kdc",  "dcr",  "mrw",  "mef", "erf",
        "raw", "rwl",  "iiq", "mos",  "exr", "hdr",  "pgm",  "ppm", "pbm", "pnm",  "xbm",  "sgi",  "svg"};
    return extensions;
}

bool mimeDatabaseCallsImage(const QString& extension) {
    static const QMimeDatabase database;
    const QList<QMimeType> types = database.mimeTypesForFileName(QStringLiteral("x.") + extension);
    if (types.isEmpty()) return false;
    const QMimeType& preferred = types.first();
    if (preferred.name().startsWith(QLatin1String("image/"))) return true;
    for (const QString& ancestor : preferred.allAncestors()) {
        if (ancestor.startsWith(QLatin1String("image/"))) return true;
    }
    return false;
}

}  // namespace

bool UniformTypes::extensionConformsToImage(const QString& extension) {
    if (extension.isEmpty()) return false;
    const QString key = extension.toLower();
    if (ownImageExtensions().contains(key)) return true;

    // A walk asks about the same few extensions thousands of times; the MIME database takes a lock each time.
    static QMutex mutex;
    static QHash<QString, bool> answers;
    {
        QMutexLocker lock(&mutex);
        const auto found = answers.constFind(key);
        if (found != answers.constEnd()) return found.value();
    }
    const bool answer = mimeDatabaseCallsImage(key);
    QMutexLocker lock(&mutex);
    answers.insert(key, answer);
    return answer;
}

QStringList UniformTypes::imageExtensions() {
    QSet<QString> all = ownImageExtensions();
    const QMimeDatabase database;
    for (const QMimeType& type : database.allMimeTypes()) {
        for (const QString& suffix : type.suffixes()) {
            const QString lower = suffix.toLower();
            // Suffixes with a dot ("tar.gz") are not extensions in our sense.
            if (!lower.contains(QLatin1Char('.')) && extensionConformsToImage(lower)) all.insert(lower);
        }
    }
    QStringList list(all.cbegin(), all.cend());
    list.sort();
    return list;
}

bool UniformTypes::isFilePackage(const QString& path) {
    static const QSet<QString> packageExtensions{"photoslibrary", "migratedphotolibrary", "photolibrary", "aplibrary"};
    if (!packageExtensions.contains(pathExtension(path).toLower())) return false;
    return QFileInfo(path).isDir();
}

QString UniformTypes::pathExtension(const QString& path) {
    QString name = path;
    while (name.size() > 1 && name.endsWith(QLatin1Char('/'))) name.chop(1);
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A leading dot starts a hidden name, not an extension.
    if (dot <= 0) return QString();
    return name.mid(dot + 1);
}

}  // namespace platform

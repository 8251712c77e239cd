#include "intake/PhotoAcceptance.h"

#include "platform/UniformTypes.h"

#include <QFileInfo>

const QStringList& PhotoAcceptance::ExtraImageExtensions() {
    static const QStringList list{"eps", "jpc", "p7", "pc", "pgm", "pnm", "ppm", "ptif", "ui", "pct",
                                  "EPS", "JPC", "P7", "PC", "PGM", "PNM", "PPM", "PTIF", "UI", "PCT"};
    return list;
}

const QStringList& PhotoAcceptance::UnsupportedImageExtensions() {
    static const QStringList list{"CRW",  "3FR", "KDC", "MEF",  "RW2", "X3F", "SIT", "AI",   "PS",  "EPS",  "ICO",
                                  "ICNS", "TGA", "PCT", "PICT", "BMP", "GIF", "PDF", "SGI",  "TGA", "WMBP", "ERF",
                                  "ARW",  "DCR", "PPM", "RAW",  "RAF", "MRW", "ORF", "WEBP", "XBM"};
    return list;
}

bool PhotoAcceptance::isSupportedImagePath(const QString& path) {
    const QString extension = platform::UniformTypes::pathExtension(path);
    const bool isImage =
        platform::UniformTypes::extensionConformsToImage(extension) || ExtraImageExtensions().contains(extension);
    return isImage && !UnsupportedImageExtensions().contains(extension.toUpper());
}

PhotoAcceptance::Verdict PhotoAcceptance::verdict(const QString& path, const QString& fileType,
                                                  const QSet<QString>& dictFileAdded) {
    if (dictFileAdded.contains(path)) return Verdict::AlreadyAdded;
    if (!isSupportedImagePath(path)) return Verdict::Refused;
    if (fileType != QLatin1String("ALL") && !path.endsWith(fileType)) return Verdict::Refused;
    // A name alone proves nothing: a vanished path, a pipe or a device would hang or fail the reader later.
    if (!QFileInfo(path).isFile()) {
        // Bytes that are not UTF-8 reach us as replacement characters, so the name no longer leads to the
        // file: only renaming it can help, and the user must be told so rather than that it is damaged.
        return path.contains(QChar::ReplacementCharacter) ? Verdict::UnreadableName : Verdict::Refused;
    }
    return Verdict::Accepted;
}

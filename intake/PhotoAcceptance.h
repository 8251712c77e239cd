#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The most photos one add operation brings into the batch (not the batch total).
inline constexpr int MAX_PHOTOS_LIMIT = 100000;

// Which files may join the batch, judged by name and kind of file before anything is read from them.
class PhotoAcceptance {
  public:
    enum class Verdict {
        Accepted,
        AlreadyAdded,    // the path is in the batch already
        Refused,         // not a supported image, not a regular file, or left out by the filter
        UnreadableName,  // a photo by its name, but the name is not valid text and cannot be opened by it
    };

    // Extensions accepted although the type registry may not call them images; compared as written.
    static const QStringList& ExtraImageExtensions();
    // Extensions refused whatever their type; compared with the upper-cased extension.
    static const QStringList& UnsupportedImageExtensions();

    // The type test alone: an image type or an extra extension, and not an unsupported one.
    static bool isSupportedImagePath(const QString& path);

    // The whole acceptance test of one path. fileType is "ALL" or a suffix the path must end with.
    static Verdict verdict(const QString& path, const QString& fileType, const QSet<QString>& dictFileAdded);
};

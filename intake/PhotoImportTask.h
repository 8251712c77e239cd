#pragma once

#include "intake/PhotoImportResult.h"
#include "intake/PhotoIntakeWalk.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// One add operation on the import thread: the walk decides which photos join, then the photos are made
// (each reads its file) on a few threads at once, their order kept. Stop is honoured during both; photos
// made after the first one left unmade are dropped, so the outcome is that of a walk that ended there. A photo
// whose file the reader failed on is refused with the files the walk refused.
class PhotoImportTask {
  public:
    // Nothing: the photo's file could not be read and it is refused (PhotoFile::initWithReadableFile).
    using PhotoMaker = std::function<std::optional<PhotoFile>(const QString& path, const QString& displayName)>;

    struct Settings {
        PhotoIntakeWalk::Settings walk;
        PhotoMaker makePhoto;  // null: read the file (PhotoFile::initWithReadableFile)
        int threads = 0;       // 0: one per processor
    };

    static PhotoImportResult run(const QStringList& urls, const QString& fileType, QSet<QString> dictFileAdded,
                                 const Settings& settings);
};

#include "intake/PhotoImportTask.h"

#include "intake/Logging.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

enum Making : char { Unmade, Made, Unreadable };

// Makes the photos of the candidates straight into their places in the result, several at a time, so no
// second array of photos is ever held; made[i] stays Unmade when Stop came before photo i.
void makePhotos(const QList<IntakeCandidate>& candidates, const PhotoImportTask::Settings& settings,
                QList<PhotoFile>* photos, std::vector<char>* made) {
    photos->resize(candidates.size());
    made->assign(static_cast<size_t>(candidates.size()), Unmade);
    PhotoFile* places = photos->data();  // detached once here; the threads write disjoint elements
    const PhotoImportTask::PhotoMaker maker =
        settings.makePhoto ? settings.makePhoto : [](const QString& path, const QString& name) {
            return PhotoFile::initWithReadableFile(path, name, false);
        };
    const std::atomic<bool>* stop = settings.walk.stop;
    std::atomic<qsizetype> next{0};
    auto work = [&] {
        for (qsizetype index = next++; index < candidates.size(); index = next++) {
            if (stop && stop->load()) return;
            const IntakeCandidate& candidate = candidates.at(index);
            std::optional<PhotoFile> photo = maker(candidate.path, candidate.displayName);
            if (photo) places[index] = std::move(*photo);
            (*made)[static_cast<size_t>(index)] = photo ? Made : Unreadable;
        }
    };
    const int threads = settings.threads > 0 ? settings.threads : QThread::idealThreadCount();
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, threads - 1));
    for (int i = 1; i < threads && i < candidates.size(); ++i) pool.start(work);
    work();  // the import thread takes its share too
    pool.waitForDone();
}

// A photo without the record it was read for would be edited and written as if it had no metadata: it is
// refused, and said to be, like a file of the wrong type.
void refuseUnreadable(const std::vector<char>& made, PhotoImportResult* result) {
    qsizetype kept = 0;
    for (qsizetype index = 0; index < result->photos.size(); ++index) {
        if (made[static_cast<size_t>(index)] == Unreadable) {
            qCInfo(lcIntake).noquote() << QStringLiteral("Not added, its metadata could not be read: ") +
                                              result->addedPaths.at(index);
            result->pathsInBatch.remove(result->addedPaths.at(index));
            --result->counters.totalPhotoToAdd;
            ++result->counters.damagedFileCount;
            ++result->counters.failedReadCount;
            result->counters.isPhotoFormatNotSupported = true;
            continue;
        }
        if (kept != index) {
            result->photos[kept] = std::move(result->photos[index]);
            result->addedPaths[kept] = result->addedPaths.at(index);
        }
        ++kept;
    }
    result->photos.resize(kept);
    result->addedPaths.resize(kept);
}

}  // namespace

PhotoImportResult PhotoImportTask::run(const QStringList& urls, const QString& fileType, QSet<QString> dictFileAdded,
                                       const Settings& settings) {
    PhotoIntakeWalk walk(std::move(dictFileAdded), settings.walk);
    PhotoImportResult result;
    result.addedPaths = walk.photosUrlsToBeAddedFromUrls(urls, fileType);
    result.counters = walk.counters();
    result.pathsInBatch = walk.takePathsInBatch();

    std::vector<char> made;
    makePhotos(walk.candidates(), settings, &result.photos, &made);
    const auto firstUnmade = std::find(made.begin(), made.end(), Unmade);
    if (firstUnmade != made.end()) {
        // Stopped before this photo was made: end as a walk stopped at this photo would have (its counters
        // then already count the photos before it and no limit).
        const auto kept = static_cast<qsizetype>(firstUnmade - made.begin());
        for (qsizetype index = kept; index < result.addedPaths.size(); ++index)
            result.pathsInBatch.remove(result.addedPaths.at(index));
        result.photos.resize(kept);
        result.counters = walk.candidates().at(kept).countersBefore;
        result.counters.isPHOTOS_PROCESSING_IN_PROGRESS = false;
        result.addedPaths.resize(kept);
        qCInfo(lcIntake).noquote() << QStringLiteral("Import stopped after %1 photos").arg(kept);
    }
    refuseUnreadable(made, &result);
    return result;
}

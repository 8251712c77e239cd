#include "intake/PhotoIntakeWalk.h"

#include "intake/DBOperations.h"
#include "intake/DataFiller.h"
#include "intake/FolderWalker.h"
#include "intake/Logging.h"
#include "platform/UniformTypes.h"

#include <QFileInfo>

#include <utility>

namespace {

// The name a photo is shown under. Only a regular file is ever accepted, so its path never ends with "/".
QString lastPathComponent(const QString& path) {
    return QFileInfo(path).fileName();
}

QList<PhotoLibraryImageRecord> uniqueRecords(const QList<PhotoLibraryImageRecord>& records) {
    QList<PhotoLibraryImageRecord> unique;
    QSet<QString> seen;
    for (const PhotoLibraryImageRecord& record : records) {
        const QString key =
            QStringList{QString::number(record.fileSize), record.modelId,   record.uuid,       record.uuidRKVersion,
                        record.originalFileName,          record.imagePath, record.description}
                .join(QChar(0));
        if (seen.contains(key)) continue;
        seen.insert(key);
        unique.append(record);
    }
    return unique;
}

}  // namespace

PhotoIntakeWalk::PhotoIntakeWalk(QSet<QString> dictFileAdded, Settings settings)
    : m_dictFileAdded(std::move(dictFileAdded)), m_settings(std::move(settings)) {
    m_counters.isPHOTOS_PROCESSING_IN_PROGRESS = true;
}

QStringList PhotoIntakeWalk::photosUrlsToBeAddedFromUrls(const QStringList& urls, const QString& fileType) {
    for (const QString& url : urls) {
        if (hasEnded()) break;
        if (!QFileInfo(url).isDir()) {
            isValidPhoto(url, lastPathComponent(url), fileType);
        } else if (!platform::UniformTypes::isFilePackage(url)) {
            walkFolder(url, fileType);
        } else {
            const QString extension = platform::UniformTypes::pathExtension(url);
            if (extension == QLatin1String("migratedphotolibrary") || extension == QLatin1String("photoslibrary")) {
                walkPhotosLibrary(url, fileType);
            } else {
                walkOtherLibrary(url, fileType);
            }
        }
    }
    QStringList added;
    added.reserve(m_candidates.size());
    for (const IntakeCandidate& candidate : std::as_const(m_candidates)) added.append(candidate.path);
    return added;
}

void PhotoIntakeWalk::walkFolder(const QString& folder, const QString& fileType) {
    const FolderLister& lister = m_settings.lister ? *m_settings.lister : FolderLister::defaultLister();
    const QStringList files = FolderWalker(lister, m_settings.stop).gatherFiles(folder);
    for (const QString& path : files) {
        if (hasEnded()) return;
        isValidPhoto(path, lastPathComponent(path), fileType);
    }
}

void PhotoIntakeWalk::walkPhotosLibrary(const QString& package, const QString& fileType) {
    qCDebug(lcIntake).noquote() << QStringLiteral("counting photos for photos == %1").arg(m_counters.totalPhotoToAdd);
    m_libraryLocked = false;
    const auto records = DBOperations::getPhotoslibraryPath(package, libraryReading());
    if (refusedAsLocked(package) || !records) return;
    for (const PhotoLibraryImageRecord& record : uniqueRecords(*records)) {
        if (hasEnded()) return;
        if (!QFileInfo::exists(record.imagePath)) continue;
        isValidPhoto(record.imagePath, record.originalFileName, fileType);
    }
}

void PhotoIntakeWalk::walkOtherLibrary(const QString& package, const QString& fileType) {
    DataFiller reader;
    m_libraryLocked = false;
    reader.setLibraryReading(libraryReading());
    reader.setArchiveAlert(m_settings.archiveAlert);
    reader.setLibPath(package);
    reader.fetchImagesFromLib(package);
    if (refusedAsLocked(package)) return;
    reader.arrImagePaths.removeDuplicates();
    for (const QString& path : std::as_const(reader.arrImagePaths)) {
        if (hasEnded()) break;
        if (!QFileInfo::exists(path)) continue;
        isValidPhoto(path, lastPathComponent(path), fileType);
    }
    qCDebug(lcIntake).noquote() << QStringLiteral("counting photos for iphoto == %1").arg(m_counters.totalPhotoToAdd);
}

bool PhotoIntakeWalk::isValidPhoto(const QString& path, const QString& fileName, const QString& fileType) {
    const IntakeCounters before = m_counters;
    switch (PhotoAcceptance::verdict(path, fileType, m_dictFileAdded)) {
        case PhotoAcceptance::Verdict::AlreadyAdded:
            ++m_counters.damagedFileCount;
            ++m_counters.alreadyExistsPhotosCount;
            m_counters.isPhotosAlreadyAdded = true;
            return false;
        case PhotoAcceptance::Verdict::Refused:
            m_counters.isPhotoFormatNotSupported = true;
            ++m_counters.damagedFileCount;
            return false;
        case PhotoAcceptance::Verdict::UnreadableName:
            m_counters.isPhotoFormatNotSupported = true;
            ++m_counters.damagedFileCount;
            ++m_counters.unreadableNameCount;
            qCInfo(lcIntake).noquote() << QStringLiteral("Not added, its name is not valid text: ") + path;
            return false;
        case PhotoAcceptance::Verdict::Accepted:
            break;
    }
    if (!admit()) return false;
    m_candidates.append(IntakeCandidate{path, fileName, before});
    m_dictFileAdded.insert(path);
    ++m_counters.totalPhotoToAdd;
    return true;
}

LibraryReading PhotoIntakeWalk::libraryReading() {
    LibraryReading reading = m_settings.libraryReading;
    reading.cachesFolder = m_settings.cachesFolder;
    reading.stop = m_settings.stop;
    reading.libraryLocked =
        [this](const QString& database) {
            qCWarning(lcIntake).noquote()
                << QStringLiteral("The library database %1 is locked by another program").arg(database);
            m_libraryLocked = true;
        };
    return reading;
}

bool PhotoIntakeWalk::refusedAsLocked(const QString& package) {
    // Whatever was read before the lock is part of a library, which is not what the user asked for.
    if (!m_libraryLocked) return false;
    qCInfo(lcIntake).noquote() << QStringLiteral("Not added, another program keeps the library locked: ") + package;
    ++m_counters.lockedLibraryCount;
    ++m_counters.damagedFileCount;
    m_counters.isPhotoFormatNotSupported = true;
    return true;
}

bool PhotoIntakeWalk::admit() {
    const bool limitReached = m_counters.totalPhotoToAdd >= m_settings.limit;
    if (!stopRequested() && !limitReached) return true;
    m_counters.isPHOTOS_PROCESSING_IN_PROGRESS = false;
    m_counters.isMAX_PHOTOS_LIMIT_EXCEEDED = limitReached;
    return false;
}

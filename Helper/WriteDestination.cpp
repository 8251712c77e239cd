#include "Helper/WriteDestination.h"

#include "Helper/Logging.h"
#include "model/Utils.h"
#include "platform/FileManager.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool statPath(const QString& path, struct stat& info) {
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

// Whether two paths name the same file (the same inode), through links of any kind.
bool isSameFile(const QString& first, const QString& second) {
    struct stat a {};
    struct stat b {};
    if (!statPath(first, a) || !statPath(second, b)) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::variant<QString, ExifWriteResult> WriteDestination::prepare(const QString& sourcePath, const QString& newPath,
                                                                 const QString& processedPath, bool isForRestore) {
    if (!m_files.fileExists(sourcePath)) {
        return ExifWriteResult::answer(ExifWriteSourceMissing, ExifWriteResult::sourceNotAvailable());
    }
    const QString target = chooseTarget(newPath, processedPath, isForRestore);
    if (std::optional<ExifWriteResult> denied = checkAccess(sourcePath, target, isForRestore)) return *denied;
    return target;
}

QString WriteDestination::chooseTarget(const QString& newPath, const QString& processedPath, bool isForRestore) const {
    if (isForRestore) return processedPath;
    // A link that leads nowhere takes a name as much as a file does: the copy could not have it either.
    return Utils::stringToAvoidNameCollisionForPath(newPath,
                                                    [this](const QString& path) { return m_files.isNameTaken(path); });
}

std::optional<ExifWriteResult> WriteDestination::checkAccess(const QString& sourcePath, const QString& target,
                                                             bool isForRestore) const {
    // Only a copy is written, so the source needs to be readable, not writable.
    const bool sourceReadable = m_files.isReadable(sourcePath);
    const bool sourceLocked = m_files.isLocked(sourcePath);
    if (sourceLocked) qCInfo(lcHelper).noquote() << QStringLiteral("File is locked");
    bool destinationDenied = target.isEmpty() || !m_files.isWritable(QFileInfo(target).path());
    if (!destinationDenied && isForRestore) destinationDenied = !isReplaceableOutput(sourcePath, target);
    if (!sourceReadable || sourceLocked) {
        return ExifWriteResult::answer(ExifWriteAccessDenied, ExifWriteResult::sourceAccessDenied());
    }
    if (destinationDenied) {
        // A folder that is gone (unmounted, removed during the run) is no question of rights.
        const bool missing = !target.isEmpty() && !m_files.isDirectory(QFileInfo(target).path());
        return ExifWriteResult::answer(ExifWriteAccessDenied, missing ? ExifWriteResult::destinationMissing()
                                                                      : ExifWriteResult::destinationAccessDenied());
    }
    return std::nullopt;
}

bool WriteDestination::isReplaceableOutput(const QString& sourcePath, const QString& target) const {
    if (!m_files.fileExists(target)) return true;
    // Restore replaces an earlier output file: never the photo itself, and never a folder.
    if (isSameFile(sourcePath, target)) return false;
    const QFileInfo info(target);
    return info.isSymLink() || info.isFile();
}

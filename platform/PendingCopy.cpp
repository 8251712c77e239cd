#include "platform/PendingCopy.h"

#include "platform/FileManager.h"
#include "platform/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>
#include <tuple>
#include <utility>

namespace platform {
namespace {

const QByteArray kPrefix = QByteArrayLiteral(".lumarind-");
const QByteArray kSuffix = QByteArrayLiteral(".part");

bool isSameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// When the process with this number started, in clock ticks after boot; empty when there is none. With the boot it
// tells a process from a later one that was given the same number.
QByteArray startOf(const QByteArray& pid) {
    const QByteArray stat = FileManager::kernelText("/proc/" + pid + "/stat");
    // The command name before it may hold spaces and parentheses; the fields after it begin with the third.
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0) return {};
    const QList<QByteArray> fields = stat.mid(nameEnd + 2).split(' ');
    return fields.size() > 19 ? fields[19] : QByteArray();
}

const QByteArray& bootId() {
    static const QByteArray id = FileManager::kernelText("/proc/sys/kernel/random/boot_id").left(8);
    return id;
}

// When this boot began, in seconds after the epoch; 0 when unknown.
time_t bootTime() {
    static const time_t at = [] {
        const QByteArray stat = FileManager::kernelText("/proc/stat");
        const qsizetype line = stat.indexOf("\nbtime ");
        return line < 0 ? time_t(0) : time_t(stat.mid(line + 7, stat.indexOf('\n', line + 7) - line - 7).toLongLong());
    }();
    return at;
}

// "pid-start-boot" of this process.
const QByteArray& thisProcess() {
    static const QByteArray owner = [] {
        const QByteArray pid = QByteArray::number(::getpid());
        const QByteArray start = startOf(pid);
        return pid + '-' + (start.isEmpty() ? "0" : start) + '-' + (bootId().isEmpty() ? "0" : bootId());
    }();
    return owner;
}

QByteArray pendingName() {
    static std::atomic<quint32> counter{0};
    // The random part keeps the name from being guessed and taken first.
    return kPrefix + thisProcess() + '-' + QByteArray::number(++counter, 36) +
           QByteArray::number(QRandomGenerator::global()->generate(), 36) + kSuffix;
}

bool isPendingName(const QByteArray& name) {
    return name.startsWith(kPrefix) && name.endsWith(kSuffix);
}

// Whether the process that a pending name names is gone, as far as this machine can tell; file is the pending file.
// A name of another boot may be another machine's, writing to a folder both share: only a file that has not changed
// since before this boot began is surely left behind. Names of earlier versions carry the process number alone.
bool isOwnerGone(const QByteArray& name, const struct stat& file) {
    const QList<QByteArray> owner = name.mid(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size()).split('-');
    bool isNumber = false;
    if (owner.size() < 3 || owner[0].toUInt(&isNumber) == 0 || !isNumber) return false;
    if (owner.size() == 3) return startOf(owner[0]).isEmpty();
    if (owner.size() != 4) return false;
    if (owner[2] != bootId()) return file.st_mtim.tv_sec < bootTime();
    return startOf(owner[0]) != owner[1];
}

// Removes a pending file that no writer holds. Every writer holds its pending file locked for as long as it lives,
// also one that this machine cannot see (on another machine, or in a container with process numbers of its own), and
// the kernel lets go of a killed one's. The name goes only while it still holds the file that was judged and locked.
// Opened for writing: over NFS the lock is a write lock, which needs it.
bool removeUnheld(int folder, const char* name, const struct stat& judged) {
    const int fd = ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat locked {};
    struct stat named {};
    const bool removed = ::fstat(fd, &locked) == 0 && isSameFile(locked, judged) &&
                         ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && isSameFile(named, locked) &&
                         ::unlinkat(folder, name, 0) == 0;
    ::close(fd);
    return removed;
}

// Whether this process looks at the folder for the first time. A folder made after another was removed may be given
// its number; its generation, where the file system keeps one, tells them apart.
bool isFirstLookAt(int folder) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) return false;
    long generation = 0;
    ::ioctl(folder, FS_IOC_GETVERSION, &generation);
    static std::mutex mutex;
    static std::set<std::tuple<dev_t, ino_t, long>> looked;
    std::lock_guard lock(mutex);
    return looked.insert({info.st_dev, info.st_ino, generation}).second;
}

// Where the kernel shows a file without a name as a link that can give it one.
bool canNameUnnamedFiles() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

}  // namespace

std::optional<PendingCopy> PendingCopy::open(const QString& target, bool unnamed, QString* error) {
    const QFileInfo info(target);
    PendingCopy copy;
    copy.m_folderPath = info.path();
    copy.m_name = QFile::encodeName(info.fileName());
    copy.m_folder = ::open(QFile::encodeName(copy.m_folderPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (copy.m_folder < 0) {
        *error = FileManager::failureText(QStringLiteral("Could not create the copy"), errno);
        return std::nullopt;
    }
    removeLeftovers(copy.m_folder);
    // Some file systems cannot hold a file without a name (network and FAT ones); they take a pending name.
    if (unnamed && canNameUnnamedFiles())
        copy.m_fd = ::openat(copy.m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (copy.m_fd < 0) {
        copy.m_pending = pendingName();
        copy.m_fd = ::openat(copy.m_folder, copy.m_pending.constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (copy.m_fd < 0) {
            *error = FileManager::failureText(QStringLiteral("Could not create the copy"), errno);
            copy.m_pending.clear();
            return std::nullopt;
        }
    }
    if (::fstat(copy.m_fd, &copy.m_file) != 0) {
        *error = FileManager::failureText(QStringLiteral("Could not create the copy"), errno);
        return std::nullopt;
    }
    // Held until the copy is named or removed, so that no sweep takes a pending name from a live write; a file system
    // without locks leaves its pending files to stay rather than guess.
    ::flock(copy.m_fd, LOCK_EX | LOCK_NB);
    return copy;
}

PendingCopy::PendingCopy(PendingCopy&& other) noexcept
    : m_folderPath(std::move(other.m_folderPath)),
      m_name(std::move(other.m_name)),
      m_pending(std::exchange(other.m_pending, QByteArray())),
      m_folder(std::exchange(other.m_folder, -1)),
      m_fd(std::exchange(other.m_fd, -1)),
      m_file(other.m_file) {}

PendingCopy::~PendingCopy() {
    // Whatever stands under the pending name goes: the name is this copy's, and unlinking never follows a link.
    if (!m_pending.isEmpty()) ::unlinkat(m_folder, m_pending.constData(), 0);
    if (m_fd >= 0) ::close(m_fd);
    if (m_folder >= 0) ::close(m_folder);
}

QString PendingCopy::pendingPath() const {
    return m_pending.isEmpty() ? QString() : m_folderPath + u'/' + QFile::decodeName(m_pending);
}

bool PendingCopy::giveName(bool replace, const std::function<void(const QString& path)>& created,
                           const std::function<void(const QString& pending)>& naming, QString* error) {
    const QString failure = replace ? QStringLiteral("Could not replace the earlier copy")
                                    : QStringLiteral("Could not give the copy its name");
    if (!isInItsFolder()) {
        *error = FileManager::folderMovedMessage();
        return false;
    }
    if (m_pending.isEmpty()) {
        // A link never takes the place of anything, so a copy that replaces one goes through a pending name.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        const QByteArray name = replace ? pendingName() : m_name;
        if (::linkat(AT_FDCWD, self.constData(), m_folder, name.constData(), AT_SYMLINK_FOLLOW) != 0) {
            *error = FileManager::failureText(failure, errno);
            return false;
        }
        if (!replace) return true;
        m_pending = name;
        if (created) created(pendingPath());
    }
    // Others may write in the folder: the pending name must still hold this copy, and so must the name after it.
    if (!holdsThisCopy(m_pending)) {
        *error = FileManager::copyReplacedMessage();
        return false;
    }
    if (naming) naming(pendingPath());
    int renamed = 0;
    if (replace) {
        renamed = ::renameat(m_folder, m_pending.constData(), m_folder, m_name.constData()) == 0 ? 0 : errno;
    } else if (::renameat2(m_folder, m_pending.constData(), m_folder, m_name.constData(), RENAME_NOREPLACE) != 0) {
        renamed = errno;
        // A file system without the flag still refuses a hard link over an existing name.
        if (renamed == EINVAL || renamed == ENOSYS) {
            renamed = ::linkat(m_folder, m_pending.constData(), m_folder, m_name.constData(), 0) == 0 ? 0 : errno;
            if (renamed == 0) ::unlinkat(m_folder, m_pending.constData(), 0);
        }
    }
    if (renamed != 0) {
        *error = FileManager::failureText(failure, renamed);
        return false;
    }
    m_pending.clear();
    if (!holdsThisCopy(m_name)) {
        // What took the pending name's place came along under the copy's name; it is no copy of ours.
        ::unlinkat(m_folder, m_name.constData(), 0);
        *error = FileManager::copyReplacedMessage();
        return false;
    }
    return true;
}

bool PendingCopy::isInItsFolder() const {
    struct stat atPath {};
    struct stat opened {};
    return ::stat(QFile::encodeName(m_folderPath).constData(), &atPath) == 0 && ::fstat(m_folder, &opened) == 0 &&
           isSameFile(atPath, opened);
}

bool PendingCopy::holdsThisCopy(const QByteArray& name) const {
    struct stat named {};
    return ::fstatat(m_folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && isSameFile(named, m_file);
}

void PendingCopy::removeLeftovers(int folder) {
    if (bootId().isEmpty()) return;
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* entries = isFirstLookAt(listing) ? ::fdopendir(listing) : nullptr;
    if (!entries) {
        ::close(listing);
        return;
    }
    const uid_t self = ::geteuid();
    while (const dirent* entry = ::readdir(entries)) {
        struct stat file {};
        // Another user's process may be out of sight; its files are never judged.
        if (!isPendingName(QByteArray(entry->d_name)) ||
            ::fstatat(folder, entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(file.st_mode) ||
            file.st_uid != self || !isOwnerGone(QByteArray(entry->d_name), file))
            continue;
        if (removeUnheld(folder, entry->d_name, file))
            qCInfo(lcPlatform).noquote() << "Removed the unfinished copy " + QFile::decodeName(entry->d_name);
    }
    ::closedir(entries);
}

}  // namespace platform

#include "intake/FolderLister.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

FolderEntry::Kind kindOf(int folderFd, const char* name, unsigned char type, struct stat* info, bool* haveInfo) {
    *haveInfo = false;
    if (type == DT_REG) return FolderEntry::Kind::File;
    if (type == DT_UNKNOWN || type == DT_DIR) {
        if (fstatat(folderFd, name, info, AT_SYMLINK_NOFOLLOW) != 0) return FolderEntry::Kind::File;
        *haveInfo = true;
        if (S_ISDIR(info->st_mode)) return FolderEntry::Kind::Folder;
        if (!S_ISLNK(info->st_mode)) return FolderEntry::Kind::File;
    } else if (type != DT_LNK) {
        return FolderEntry::Kind::File;
    }
    struct stat target {};
    if (fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode)) return FolderEntry::Kind::LinkedFolder;
    return FolderEntry::Kind::File;
}

}  // namespace

const FolderLister& FolderLister::defaultLister() {
    static const FolderLister lister;
    return lister;
}

bool FolderLister::list(const QString& folder, QList<FolderEntry>* entries, QString* error) const {
    entries->clear();
    const QByteArray encoded = QFile::encodeName(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(encoded.constData()));
    if (!dir) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const int fd = dirfd(dir.get());
    errno = 0;
    while (const dirent* item = readdir(dir.get())) {
        const char* name = item->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        FolderEntry entry;
        entry.name = QFile::decodeName(name);
        struct stat info {};
        bool haveInfo = false;
        entry.kind = kindOf(fd, name, item->d_type, &info, &haveInfo);
        if (entry.kind == FolderEntry::Kind::Folder && haveInfo) {
            entry.device = static_cast<quint64>(info.st_dev);
            entry.inode = static_cast<quint64>(info.st_ino);
        }
        entries->append(entry);
        errno = 0;
    }
    if (errno != 0) {
        if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return true;
}

#pragma once

#include <QString>
#include <QtGlobal>

// One entry of a folder listing.
struct FolderEntry {
    enum class Kind {
        File,  // anything that is not a folder: files, links to files, dangling links, pipes
        Folder,
        LinkedFolder,  // a symbolic link to a folder; never entered, so link cycles cannot trap a walk
    };

    QString name;
    Kind kind = Kind::File;
    // Device and inode of a folder (0 when unknown), so a folder reached twice (bind mounts) is entered once.
    quint64 device = 0;
    quint64 inode = 0;
};

#pragma once

#include "intake/FolderEntry.h"

#include <QList>
#include <QString>

// Lists one folder. Virtual so that tests can stand in for folders the disk will not refuse to a
// privileged user.
class FolderLister {
  public:
    virtual ~FolderLister() = default;
    static const FolderLister& defaultLister();

    // The entries of the folder in name order, without "." and "..". False, with a reason in *error, when
    // the folder cannot be read.
    virtual bool list(const QString& folder, QList<FolderEntry>* entries, QString* error) const;
};

#pragma once

#include <QString>

// Finds a file of a library by the name the library's own computer gave it. Libraries come from
// case-insensitive disks, so "Database/apdb/Library.apdb" may be "database/apdb/library.apdb" here: each
// path component is taken by its exact name first, else the first entry of its folder (in name order)
// that matches it ignoring case.
class LibraryFileLocator {
  public:
    // The path of relativePath (components separated by "/") inside root; "" when some component has no
    // match. The root itself is kept exactly as given.
    static QString locate(const QString& root, const QString& relativePath);

    // As locate, but when nothing matches, the exact joined path (which does not exist).
    static QString locateOrExact(const QString& root, const QString& relativePath);

    static QString join(const QString& folder, const QString& name);
};

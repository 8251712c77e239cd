#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Stands in for the system's type registry: what kind of content a file name extension announces, and
// which folders are opened as one document (library packages) rather than browsed into.
class UniformTypes {
  public:
    // Whether the type preferred for the extension (without the dot, any letter case) is an image. Only the
    // extension is looked at; the bytes of the file are never read.
    static bool extensionConformsToImage(const QString& extension);
    // Every extension that extensionConformsToImage accepts and the type registry can list, in lower case.
    static QStringList imageExtensions();

    // Whether the folder at the path is a package: a photo library folder ("photoslibrary",
    // "migratedphotolibrary", "photolibrary", "aplibrary", any letter case). Only the name decides, so a
    // library copied from another computer is recognised as it is.
    static bool isFilePackage(const QString& path);

    // The extension of a path as written (after the last dot of its last component), "" without one.
    static QString pathExtension(const QString& path);
};

}  // namespace platform

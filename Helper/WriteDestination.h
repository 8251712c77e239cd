#pragma once

#include <QString>

#include <variant>

#include "Helper/ExifWriteResult.h"

namespace platform {
class FileManager;
}

// Where a processed copy goes: the source check, the target (the new path, made collision-free, or in restore
// mode the earlier output) and the access checks. The photo's own file is never written, removed or
// overwritten.
class WriteDestination {
  public:
    explicit WriteDestination(platform::FileManager& files) : m_files(files) {}

    // The path the copy is to be written to, or the answer that ends the write.
    std::variant<QString, ExifWriteResult> prepare(const QString& sourcePath, const QString& newPath,
                                                   const QString& processedPath, bool isForRestore);

  private:
    QString chooseTarget(const QString& newPath, const QString& processedPath, bool isForRestore) const;
    std::optional<ExifWriteResult> checkAccess(const QString& sourcePath, const QString& target,
                                               bool isForRestore) const;
    bool isReplaceableOutput(const QString& sourcePath, const QString& target) const;

    platform::FileManager& m_files;
};

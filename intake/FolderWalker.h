#pragma once

#include "intake/FolderLister.h"

#include <QString>
#include <QStringList>

#include <atomic>

// Gathers the files below a folder the way the Add Folder road sees them: always recursive, depth first
// in name order, hidden entries (names starting with ".") and library packages passed over, linked
// folders not followed. A folder that cannot be read is logged and skipped; its siblings are still walked.
class FolderWalker {
  public:
    // stop may be null. When it turns true the gathering ends at once with what it holds.
    FolderWalker(const FolderLister& lister, const std::atomic<bool>* stop);

    QStringList gatherFiles(const QString& folder) const;

  private:
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    const FolderLister& m_lister;
    const std::atomic<bool>* m_stop;
};

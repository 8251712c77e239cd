#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

#include <functional>
#include <optional>

namespace platform {

// A copy being written in its target's folder, which takes the target's name only once it is whole. Where the file
// system can hold a file without a name, it has none until then; elsewhere it has a hidden pending name of its own,
// which names the process writing it and which that process holds locked, so that a later write can tell the leftover
// of a process that is gone, also where that process is out of its sight. Every step works on the folder as it was
// opened: a folder moved meanwhile keeps nothing. A pending file that was never given its name is removed when its
// PendingCopy goes.
class PendingCopy {
  public:
    // Opens a new copy beside target, removing first the pending files that gone processes left in that folder and
    // nobody holds (once per folder and process). Nothing, with the reason in *error, when the folder takes no new
    // file.
    static std::optional<PendingCopy> open(const QString& target, bool unnamed, QString* error);

    PendingCopy(PendingCopy&& other) noexcept;
    PendingCopy& operator=(PendingCopy&&) = delete;
    PendingCopy(const PendingCopy&) = delete;
    PendingCopy& operator=(const PendingCopy&) = delete;
    ~PendingCopy();

    int descriptor() const { return m_fd; }
    // The copy's hidden name while it has one; empty while it has none.
    QString pendingPath() const;

    // Gives the copy the target's name: never over anything there, or with replace over the earlier file in one
    // step. A copy without a name that is to replace one takes a pending name first, announced through created;
    // naming hears of a pending name just before it becomes the target's. Refused when the folder is no longer at its
    // path or the pending name no longer holds this copy.
    bool giveName(bool replace, const std::function<void(const QString& path)>& created,
                  const std::function<void(const QString& pending)>& naming, QString* error);

  private:
    PendingCopy() = default;
    bool isInItsFolder() const;
    bool holdsThisCopy(const QByteArray& name) const;
    static void removeLeftovers(int folder);

    QString m_folderPath;
    QByteArray m_name;     // the target's name in its folder
    QByteArray m_pending;  // empty while the copy has no name
    int m_folder = -1;
    int m_fd = -1;
    struct stat m_file {};
};

}  // namespace platform

#pragma once

#include "intake/FolderLister.h"
#include "intake/IntakeCandidate.h"
#include "intake/IntakeCounters.h"
#include "intake/LibraryReading.h"
#include "intake/PhotoAcceptance.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// The walk of one add operation, run on the import thread: files, folders (always recursive) and library
// packages become the list of photos that join, with the operation's counters. It works on its own copy
// of the paths already in the batch and never touches the batch itself.
class PhotoIntakeWalk {
  public:
    struct Settings {
        int limit = MAX_PHOTOS_LIMIT;
        const std::atomic<bool>* stop = nullptr;  // isPHOTOS_PROCESSING_STOPPED, written by the Stop button
        const FolderLister* lister = nullptr;     // null for the disk
        QString cachesFolder = QString();         // "" for the application's caches folder
        std::function<void()> archiveAlert = {};  // an iPhoto or Aperture album list without "Archive Path"
        LibraryReading libraryReading = {};       // its waits and limits (the folder and the stop flag above win)
    };

    PhotoIntakeWalk(QSet<QString> dictFileAdded, Settings settings);

    // Returns the paths that joined, in order.
    QStringList photosUrlsToBeAddedFromUrls(const QStringList& urls, const QString& fileType);
    // Acceptance test of one file and, when the stop and limit test lets it, its joining.
    bool isValidPhoto(const QString& path, const QString& fileName, const QString& fileType);

    const IntakeCounters& counters() const { return m_counters; }
    const QList<IntakeCandidate>& candidates() const { return m_candidates; }
    // The paths already in the batch and those of every candidate; taken once, at the end of the walk.
    QSet<QString> takePathsInBatch() { return std::move(m_dictFileAdded); }
    // Only the stop and limit test clears the flag, so a cleared flag means the walk has ended.
    bool hasEnded() const { return !m_counters.isPHOTOS_PROCESSING_IN_PROGRESS; }

  private:
    void walkFolder(const QString& folder, const QString& fileType);
    void walkPhotosLibrary(const QString& package, const QString& fileType);
    void walkOtherLibrary(const QString& package, const QString& fileType);
    bool admit();
    LibraryReading libraryReading();
    // Counts the library as refused when another program kept a database of it locked.
    bool refusedAsLocked(const QString& package);
    bool stopRequested() const { return m_settings.stop && m_settings.stop->load(); }

    QSet<QString> m_dictFileAdded;
    Settings m_settings;
    IntakeCounters m_counters;
    QList<IntakeCandidate> m_candidates;
    bool m_libraryLocked = false;  // of the library being read
};

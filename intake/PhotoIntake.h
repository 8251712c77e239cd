#pragma once

#include "intake/IntakeAlert.h"
#include "intake/IntakeCounters.h"
#include "intake/IntakeHandBackPlan.h"
#include "intake/PhotoImportTask.h"
#include "model/PhotoFile.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// The road by which paths become batch photos: started on the main thread, walked and read on the import
// thread, handed back on the main thread, which alone appends to the batch and to the added paths. The
// screen fills the hooks; every hook is optional.
class PhotoIntake : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<void(bool show, const QString& text)> showLoading;
        std::function<void()> showStopButton;  // btnstopOnAddPhotos shown, btnNext enabled
        std::function<void(bool changed)> isMetadataParamChanged;
        // The alert's words come from the counters of the operation (counters()).
        std::function<void(EditorAlertTag tag)> showAlertWithTag;
        std::function<void()> disableRemoveButton;
        std::function<void()> processAfterAllPhotosAdded;
        // Shows the iPhoto and Aperture reader's "Archive Path" alert; called on the main thread, it calls
        // dismissed once the user closed the alert. The import waits for that.
        std::function<void(std::function<void()> dismissed)> archivePathAlert;
    };

    // batch: arraySelectedImagesToProcess; dictFileAdded: the paths in the batch. Both must outlive this.
    PhotoIntake(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded, QObject* parent = nullptr);
    ~PhotoIntake() override;

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // Limit, photo maker, threads, folder lister, caches folder of the next imports (the stop flag and the
    // archive alert come from this object).
    void setSettings(PhotoImportTask::Settings settings) { m_settings = std::move(settings); }

    // Starts an import; false (and nothing happens) while one is running. isiPhoto is not used.
    bool addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto);
    // The Stop button: the import ends at its next photo and keeps what joined until then.
    void stopImport();
    bool isImporting() const { return m_handBackPending; }
    // Blocks until a running import has been handed back (for callers without an event loop; an import
    // that meets an album list without "Archive Path" needs the event loop for its alert).
    void waitForImport();

    const IntakeCounters& counters() const { return m_counters; }

    static QString loadingText() { return QStringLiteral("Please Wait...\n Importing photos"); }

  signals:
    void importHandedBack();

  private:
    void handBack();
    void joinAddedPaths(PhotoImportResult& result);
    void waitForArchivePathAlert();

    QList<PhotoFile>& m_batch;
    QSet<QString>& m_dictFileAdded;
    QSet<QString> m_pathsAtStart;  // dictFileAdded as the running import's walk started from it
    Hooks m_hooks;
    PhotoImportTask::Settings m_settings;
    IntakeCounters m_counters;
    std::atomic<bool> m_stop{false};  // isPHOTOS_PROCESSING_STOPPED
    bool m_handBackPending = false;
    QFutureWatcher<PhotoImportResult> m_watcher;
};

#include "intake/PhotoIntake.h"

#include "intake/Logging.h"
#include "platform/Dispatch.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

PhotoIntake::PhotoIntake(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded, QObject* parent)
    : QObject(parent), m_batch(batch), m_dictFileAdded(dictFileAdded) {
    connect(&m_watcher, &QFutureWatcher<PhotoImportResult>::finished, this, &PhotoIntake::handBack);
}

PhotoIntake::~PhotoIntake() {
    // The import thread reads the stop flag; it must be gone before the flag is.
    m_stop.store(true);
    m_watcher.waitForFinished();
}

bool PhotoIntake::addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto) {
    Q_UNUSED(isiPhoto);
    if (isImporting()) return false;
    m_handBackPending = true;
    m_counters = IntakeCounters{};
    m_counters.isPHOTOS_PROCESSING_IN_PROGRESS = true;
    m_stop.store(false);
    if (m_hooks.showStopButton) m_hooks.showStopButton();
    if (m_hooks.showLoading) m_hooks.showLoading(true, loadingText());

    PhotoImportTask::Settings settings = m_settings;
    settings.walk.stop = &m_stop;
    if (m_hooks.archivePathAlert) settings.walk.archiveAlert = [this] { waitForArchivePathAlert(); };
    // The worker reads its own copy of the added paths; the batch itself stays with the main thread.
    m_pathsAtStart = m_dictFileAdded;
    m_watcher.setFuture(QtConcurrent::run([paths, added = m_pathsAtStart, settings] {
        return PhotoImportTask::run(paths, QStringLiteral("ALL"), added, settings);
    }));
    return true;
}

void PhotoIntake::waitForArchivePathAlert() {
    auto dismissed = std::make_shared<QSemaphore>();
    platform::dispatch::onMain(this, [this, dismissed] {
        if (!m_hooks.archivePathAlert) return dismissed->release();
        m_hooks.archivePathAlert([dismissed] { dismissed->release(); });
    });
    // Stop (and the end of the application, which stops the import first) must not wait for a person.
    while (!dismissed->tryAcquire(1, 100)) {
        if (m_stop.load()) return;
    }
}

void PhotoIntake::stopImport() {
    m_stop.store(true);
    m_counters.isPHOTOS_PROCESSING_IN_PROGRESS = false;
}

void PhotoIntake::waitForImport() {
    if (!m_handBackPending) return;
    m_watcher.waitForFinished();
    QCoreApplication::sendPostedEvents(&m_watcher);
    if (m_handBackPending) handBack();
}

void PhotoIntake::joinAddedPaths(PhotoImportResult& result) {
    // The walk has hashed every new path already; hashing them again here would hold the window some 40 ms
    // per 100,000 photos. Its set is the batch's own unless photos were removed meanwhile: then the new paths
    // join what is left. An untouched set still shares its data with the copy taken at the start, which
    // makes the comparison free.
    if (m_dictFileAdded == m_pathsAtStart) {
        m_dictFileAdded = std::move(result.pathsInBatch);
    } else {
        m_dictFileAdded.reserve(m_dictFileAdded.size() + result.addedPaths.size());
        for (const QString& path : std::as_const(result.addedPaths)) m_dictFileAdded.insert(path);
    }
    m_pathsAtStart = QSet<QString>();
}

void PhotoIntake::handBack() {
    if (!m_handBackPending) return;
    m_handBackPending = false;
    // Taken, not copied: a shared copy would be detached, photo by photo, by the moves below.
    PhotoImportResult result = m_watcher.future().takeResult();
    m_watcher.setFuture(QFuture<PhotoImportResult>());
    const bool stoppedMeanwhile = m_stop.load();
    m_counters = result.counters;
    if (stoppedMeanwhile) m_counters.isPHOTOS_PROCESSING_IN_PROGRESS = false;

    joinAddedPaths(result);
    if (m_batch.isEmpty())
        m_batch = std::move(result.photos);
    else
        m_batch.append(std::move(result.photos));
    qCDebug(lcIntake).noquote() << QStringLiteral("is adding photos count = %1").arg(m_counters.totalPhotoToAdd);

    const IntakeHandBackPlan plan = IntakeHandBackPlan::choose(m_counters, m_batch.isEmpty());
    if (plan.resetMetadataChanged && m_hooks.isMetadataParamChanged) m_hooks.isMetadataParamChanged(false);
    if (plan.hideLoader && m_hooks.showLoading) m_hooks.showLoading(false, QStringLiteral("Please Wait..."));
    if (plan.disableRemoveButton && m_hooks.disableRemoveButton) m_hooks.disableRemoveButton();
    if (plan.alert && m_hooks.showAlertWithTag) m_hooks.showAlertWithTag(*plan.alert);
    if (plan.runAfterChangeSetup && m_hooks.processAfterAllPhotosAdded) m_hooks.processAfterAllPhotosAdded();
    emit importHandedBack();
}

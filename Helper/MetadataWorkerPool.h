#pragma once

#include "Helper/ExifWriteResult.h"
#include "Helper/WorkerChannel.h"
#include "Helper/WorkerProcess.h"
#include "model/MetadataReading.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class MetaDataObject;
class PhotoFile;
class WriteRecords;

// The application's way to the metadata library. Exiv2 keeps process-wide state that is not safe to use
// from several threads (its XMP toolkit above all), and a damaged photo can crash it; so every read and
// write runs in a worker process with one thread, and the application only talks to workers. Callers on
// any thread borrow one worker for one request; the workers are started when first needed, up to one per
// core, and reused. A worker that crashes, exits or overruns the time limit on a photo is ended and
// replaced: that photo alone fails, and whatever it had begun to write is removed. A worker found dead before
// it is lent, or that dies before it has read its request, is replaced at no photo's cost.
class MetadataWorkerPool final : public MetadataReading {
  public:
    struct Settings {
        QString program;                             // the worker executable; empty: defaultProgram()
        int workers = 0;                             // 0: one per core, at least two
        std::chrono::milliseconds timeLimit{60000};  // for one photo
    };

    MetadataWorkerPool();
    explicit MetadataWorkerPool(Settings settings);
    ~MetadataWorkerPool() override;
    MetadataWorkerPool(const MetadataWorkerPool&) = delete;
    MetadataWorkerPool& operator=(const MetadataWorkerPool&) = delete;

    // Makes the process's pool and installs it as the reader of every record, batch item and thumbnail.
    // Call once on the main thread before anything reads a photo; later calls do nothing.
    static void install();
    // The installed pool (made by install()).
    static MetadataWorkerPool& shared();
    // $LUMARIND_METADATA_WORKER, else lumarind-metadata-worker beside the running program, else the one
    // installed with it (libexec/lumarind/ beside its bin/), else the one of the build tree.
    static QString defaultProgram();

    // The message of a photo on which a worker stopped.
    static QString workerStoppedMessage() {
        return QStringLiteral("The metadata library stopped on this photo; it may be damaged.");
    }

    static QString workerMissingMessage() {
        return QStringLiteral("The metadata library could not be started; no photo can be written.");
    }

    MetaDataObject& readMetadata(const QString& path, MetaDataObject& record) const override;
    std::optional<QVariantMap> imageProperties(const QString& path) const override;
    std::optional<QVariantMap> readMetadataAndProperties(const QString& path, MetaDataObject& record) const override;
    // Tries a second worker before it gives up on the photo.
    ReadOutcome readPhoto(const QString& path, MetaDataObject& record,
                          std::optional<QVariantMap>& properties) const override;
    QByteArray embeddedPreview(const QString& path, const QSize& atLeast) const override;

    // The writer's processed copy, made by a worker (see ExifWriter::writeMetaDataToFilePath). A worker is sent
    // the run's records only with the first photo it writes for the run.
    ExifWriteResult writeProcessedCopy(const PhotoFile& photo, const WriteRecords& records, const QString& newPath,
                                       bool isForRestore) const;
    // One copy with records of its own.
    ExifWriteResult writeProcessedCopy(const PhotoFile& photo, const MetaDataObject& settings, const QString& newPath,
                                       const MetaDataObject& changedFields, bool isForRestore) const;

    // Ends every worker; requests made afterwards start new ones.
    void shutDown();
    int startedWorkers() const;

  private:
    struct Exchange {
        bool started = true;
        bool answered = false;
        WorkerMessage answer;
    };
    enum class Delivery { Answered, NotReceived, FailedOnPhoto };
    // A request, and the run records it names that the worker must hold (none for reads).
    struct Request {
        WorkerMessage message;
        const WriteRecords* records = nullptr;
    };

    Exchange exchange(const Request& request, const QString& photoPath) const;
    Delivery deliver(WorkerProcess& worker, const Request& request, Exchange& result, QStringList& created) const;
    std::unique_ptr<WorkerProcess> checkOut() const;
    void checkIn(std::unique_ptr<WorkerProcess> worker) const;
    void retire(std::unique_ptr<WorkerProcess> worker) const;
    std::optional<QVariantMap> read(const QString& path, MetaDataObject* record, bool properties) const;

    Settings m_settings;
    int m_limit;
    mutable WorkerLauncher m_launcher;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_available;
    mutable std::vector<std::unique_ptr<WorkerProcess>> m_idle;
    mutable int m_started = 0;  // workers alive, idle or lent
};

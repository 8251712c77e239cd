#pragma once

#include "Helper/ExifWriteResult.h"
#include "Helper/WorkerChannel.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/WriteRecords.h"

#include <QSize>
#include <QString>
#include <QVariantMap>

#include <optional>

// The requests and answers that cross between the application and a metadata worker, built and read in
// one place so that both sides always agree on them.
namespace WorkerProtocol {

enum class Kind { Read, Preview, Write, Unknown };

// ---- Requests (the application builds, the worker reads) ----
WorkerMessage readRequest(const QString& path, bool metadata, bool properties);
WorkerMessage previewRequest(const QString& path, const QSize& atLeast);
// A write names the run's records by their identity; they travel along only to a worker that does not hold them
// yet (addRecords), which keeps them for the run's later photos.
WorkerMessage writeRequest(const PhotoFile& photo, const WriteRecords& records, const QString& newPath,
                           bool isForRestore);
void addRecords(WorkerMessage& request, const WriteRecords& records);

Kind kindOf(const WorkerMessage& request);
// The photo a request is about, for logs and for the fault hooks of tests.
QString photoPathOf(const WorkerMessage& request);

struct ReadQuery {
    QString path;
    bool metadata = false;
    bool properties = false;
};
ReadQuery readQuery(const WorkerMessage& request);
QSize previewSize(const WorkerMessage& request);

struct WriteQuery {
    PhotoFile photo;
    quint64 records = 0;  // the identity of the run's records
    // Whether the request brings the records; when it does, nothing in either means they could not be decoded.
    bool bringsRecords = false;
    std::optional<MetaDataObject> settings;
    std::optional<MetaDataObject> changedFields;
    QString newPath;
    bool isForRestore = false;
};
WriteQuery writeQuery(const WorkerMessage& request);

// ---- Answers (the worker builds, the application reads) ----
WorkerMessage readAnswer(const MetaDataObject& record, const std::optional<QVariantMap>& properties);
WorkerMessage emptyReadAnswer();
// Sets the record's fields from the answer; the image properties, when the answer has them.
std::optional<QVariantMap> takeReadAnswer(const WorkerMessage& answer, MetaDataObject* record);

WorkerMessage writeAnswer(const ExifWriteResult& result);
ExifWriteResult takeWriteAnswer(const WorkerMessage& answer);

WorkerMessage unknownRequestAnswer();

// The first message about every request: the worker has read it. A worker that ends before saying so never
// saw the request, so the photo is not to blame.
WorkerMessage receivedEvent();
bool isReceivedEvent(const WorkerMessage& message);

// A message sent during a write, before its answer: the worker has created this file.
WorkerMessage createdEvent(const QString& path);
std::optional<QString> createdPath(const WorkerMessage& message);

}  // namespace WorkerProtocol

#include "Helper/WorkerProtocol.h"

#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/RecordTransfer.h"

#include <QDataStream>
#include <QIODevice>

namespace WorkerProtocol {
namespace {

const QLatin1String kRequest("request");
const QLatin1String kPath("path");
const QLatin1String kPhoto("photo");
const QLatin1String kCreated("created");
const QLatin1String kReceived("received");
const QLatin1String kFields("fields");
const QLatin1String kHasProperties("hasProperties");
const QLatin1String kRecords("records");
const QLatin1String kSettings("settings");
const QLatin1String kChangedFields("changedFields");

}  // namespace

WorkerMessage readRequest(const QString& path, bool metadata, bool properties) {
    return {QJsonObject{{kRequest, QStringLiteral("read")},
                        {kPath, path},
                        {QStringLiteral("metadata"), metadata},
                        {QStringLiteral("properties"), properties}},
            {}};
}

WorkerMessage previewRequest(const QString& path, const QSize& atLeast) {
    return {QJsonObject{{kRequest, QStringLiteral("preview")},
                        {kPath, path},
                        {QStringLiteral("width"), atLeast.width()},
                        {QStringLiteral("height"), atLeast.height()}},
            {}};
}

WorkerMessage writeRequest(const PhotoFile& photo, const WriteRecords& records, const QString& newPath,
                           bool isForRestore) {
    return {QJsonObject{{kRequest, QStringLiteral("write")},
                        {kPhoto, RecordTransfer::photo(photo)},
                        {kRecords, qint64(records.identity())},
                        {QStringLiteral("newPath"), newPath},
                        {QStringLiteral("restore"), isForRestore}},
            {}};
}

void addRecords(WorkerMessage& request, const WriteRecords& records) {
    request.json.insert(kSettings, RecordTransfer::record(records.settings()));
    request.json.insert(kChangedFields, RecordTransfer::record(records.changedFields()));
}

Kind kindOf(const WorkerMessage& request) {
    const QString kind = request.json.value(kRequest).toString();
    if (kind == QLatin1String("read")) return Kind::Read;
    if (kind == QLatin1String("preview")) return Kind::Preview;
    if (kind == QLatin1String("write")) return Kind::Write;
    return Kind::Unknown;
}

QString photoPathOf(const WorkerMessage& request) {
    if (request.json.contains(kPath)) return request.json.value(kPath).toString();
    return request.json.value(kPhoto).toObject().value(QStringLiteral("filePath")).toString();
}

ReadQuery readQuery(const WorkerMessage& request) {
    return {request.json.value(kPath).toString(), request.json.value(QStringLiteral("metadata")).toBool(),
            request.json.value(QStringLiteral("properties")).toBool()};
}

QSize previewSize(const WorkerMessage& request) {
    return QSize(request.json.value(QStringLiteral("width")).toInt(),
                 request.json.value(QStringLiteral("height")).toInt());
}

WriteQuery writeQuery(const WorkerMessage& request) {
    const QJsonObject& json = request.json;
    WriteQuery query;
    query.photo = RecordTransfer::photoFrom(json.value(kPhoto).toObject());
    query.records = quint64(json.value(kRecords).toInteger());
    query.bringsRecords = json.contains(kSettings) || json.contains(kChangedFields);
    if (query.bringsRecords) {
        query.settings = RecordTransfer::recordFrom(json.value(kSettings).toObject());
        query.changedFields = RecordTransfer::recordFrom(json.value(kChangedFields).toObject());
    }
    query.newPath = json.value(QStringLiteral("newPath")).toString();
    query.isForRestore = json.value(QStringLiteral("restore")).toBool();
    return query;
}

WorkerMessage readAnswer(const MetaDataObject& record, const std::optional<QVariantMap>& properties) {
    WorkerMessage answer{QJsonObject{{kFields, RecordTransfer::fields(record)}, {kHasProperties, bool(properties)}},
                         {}};
    if (properties) {
        QDataStream stream(&answer.bytes, QIODevice::WriteOnly);
        stream << *properties;
    }
    return answer;
}

WorkerMessage emptyReadAnswer() {
    return {QJsonObject{{kFields, QJsonObject()}, {kHasProperties, false}}, {}};
}

std::optional<QVariantMap> takeReadAnswer(const WorkerMessage& answer, MetaDataObject* record) {
    if (record) RecordTransfer::applyFields(answer.json.value(kFields).toObject(), *record);
    if (!answer.json.value(kHasProperties).toBool()) return std::nullopt;
    QDataStream stream(answer.bytes);
    QVariantMap map;
    stream >> map;
    if (stream.status() != QDataStream::Ok) return std::nullopt;
    return map;
}

WorkerMessage writeAnswer(const ExifWriteResult& result) {
    return {QJsonObject{{QStringLiteral("errorFlag"), result.errorFlag},
                        {QStringLiteral("errorMsg"), result.errorMsg},
                        {QStringLiteral("processedPath"),
                         result.processedPath ? QJsonValue(*result.processedPath) : QJsonValue(QJsonValue::Null)}},
            {}};
}

ExifWriteResult takeWriteAnswer(const WorkerMessage& answer) {
    ExifWriteResult result;
    result.errorFlag = answer.json.value(QStringLiteral("errorFlag")).toInt(ExifWriteFailed);
    result.errorMsg = answer.json.value(QStringLiteral("errorMsg")).toString();
    const QJsonValue processed = answer.json.value(QStringLiteral("processedPath"));
    if (processed.isString()) result.processedPath = processed.toString();
    return result;
}

WorkerMessage unknownRequestAnswer() {
    return {QJsonObject{{QStringLiteral("error"), QStringLiteral("unknown request")}}, {}};
}

WorkerMessage createdEvent(const QString& path) {
    return {QJsonObject{{kCreated, path}}, {}};
}

WorkerMessage receivedEvent() {
    return {QJsonObject{{kReceived, true}}, {}};
}

bool isReceivedEvent(const WorkerMessage& message) {
    return message.json.value(kReceived).toBool();
}

std::optional<QString> createdPath(const WorkerMessage& message) {
    if (!message.json.contains(kCreated)) return std::nullopt;
    return message.json.value(kCreated).toString();
}

}  // namespace WorkerProtocol

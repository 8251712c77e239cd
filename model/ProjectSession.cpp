#include "model/ProjectSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace {

const QString kClassKey = QStringLiteral("$class");
const QString kClassName = QStringLiteral("ProjectSession");
const QString kDateStringKey = QStringLiteral("dateString");
const QString kPresetsKey = QStringLiteral("arrayPresets");

std::nullopt_t fail(QString* error, const QString& reason) {
    if (error) *error = reason;
    return std::nullopt;
}

}  // namespace

QJsonObject ProjectSession::encodeWithCoder() const {
    QJsonObject coder;
    coder.insert(kClassKey, kClassName);
    coder.insert(kDateStringKey, dateString.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(dateString));
    QJsonArray presets;
    for (const MetaDataObject& preset : arrayPresets) presets.append(preset.encodeWithCoder());
    coder.insert(kPresetsKey, presets);
    return coder;
}

std::optional<ProjectSession> ProjectSession::initWithCoder(const QJsonObject& coder, QString* error) {
    if (coder.value(kClassKey).toString() != kClassName)
        return fail(error, QStringLiteral("the root is not a ProjectSession"));
    ProjectSession session;
    const QJsonValue date = coder.value(kDateStringKey);
    if (date.isString()) session.dateString = date.toString();
    const QJsonValue presets = coder.value(kPresetsKey);
    if (presets.isUndefined() || presets.isNull()) return session;
    if (!presets.isArray()) return fail(error, QStringLiteral("arrayPresets is not a list"));
    const QJsonArray list = presets.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        QString reason;
        std::optional<MetaDataObject> preset = MetaDataObject::initWithCoder(list.at(i).toObject(), &reason);
        if (!preset) return fail(error, QStringLiteral("preset %1: %2").arg(i).arg(reason));
        session.arrayPresets.append(std::move(*preset));
    }
    return session;
}

QByteArray ProjectSession::archivedData() const {
    return QJsonDocument(encodeWithCoder()).toJson(QJsonDocument::Compact);
}

std::optional<ProjectSession> ProjectSession::unarchive(const QByteArray& data, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(error,
                    QStringLiteral("not JSON (%1 at byte %2)").arg(parseError.errorString()).arg(parseError.offset));
    if (!document.isObject()) return fail(error, QStringLiteral("the root is not an object"));
    return initWithCoder(document.object(), error);
}

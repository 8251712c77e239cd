#include "model/RecordTransfer.h"

#include "model/MetadataKeyTable.h"

#include <QJsonArray>

namespace {

const QLatin1String kChangedKey("changedFields");

// The plain members of a photo; its original record's text fields travel beside them.
struct PhotoText {
    const char* name;
    QString PhotoFile::*member;
};
const PhotoText kPhotoTexts[] = {
    {"filePath", &PhotoFile::filePath},
    {"fileContainerFolderName", &PhotoFile::fileContainerFolderName},
    {"fileExtension", &PhotoFile::fileExtension},
    {"fileName", &PhotoFile::fileName},
    {"fileURL", &PhotoFile::fileURL},
    {"processMsg", &PhotoFile::processMsg},
    {"processedPath", &PhotoFile::processedPath},
    {"originalFileName", &PhotoFile::originalFileName},
};
struct PhotoNumber {
    const char* name;
    double PhotoFile::*member;
};
const PhotoNumber kPhotoNumbers[] = {
    {"height", &PhotoFile::height},
    {"width", &PhotoFile::width},
    {"fileSizeInBytes", &PhotoFile::fileSizeInBytes},
};

}  // namespace

QJsonObject RecordTransfer::record(const MetaDataObject& record) {
    QJsonObject form = record.encodeWithCoder();
    QJsonArray changed;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        if (record.*row.updated) changed.append(row.fieldName());
    }
    form.insert(kChangedKey, changed);
    return form;
}

std::optional<MetaDataObject> RecordTransfer::recordFrom(const QJsonObject& form) {
    std::optional<MetaDataObject> record = MetaDataObject::initWithCoder(form);
    if (!record) return std::nullopt;
    for (const QJsonValue& name : form.value(kChangedKey).toArray()) {
        if (const MetadataKeyRow* row = MetadataKeyTable::rowForField(name.toString())) *record.*row->updated = true;
    }
    return record;
}

QJsonObject RecordTransfer::fields(const MetaDataObject& record) {
    QJsonObject form;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        const QString& value = record.*row.field;
        if (!value.isEmpty()) form.insert(row.fieldName(), value);
    }
    return form;
}

void RecordTransfer::applyFields(const QJsonObject& form, MetaDataObject& record) {
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        QString& field = record.*row.field;
        const QJsonValue value = form.value(QLatin1String(row.name));
        if (value.isString()) {
            field = value.toString();
        } else if (field.isNull()) {
            field = QLatin1String("");
        }
    }
}

QJsonObject RecordTransfer::photo(const PhotoFile& photo) {
    QJsonObject form;
    for (const PhotoText& text : kPhotoTexts) form.insert(QLatin1String(text.name), photo.*text.member);
    for (const PhotoNumber& number : kPhotoNumbers) form.insert(QLatin1String(number.name), photo.*number.member);
    form.insert(QStringLiteral("isIphotosNode"), photo.isIphotosNode);
    form.insert(QStringLiteral("isSelected"), photo.isSelected);
    form.insert(QStringLiteral("processStatus"), photo.processStatus);
    if (photo.fileModificationDate.isValid())
        form.insert(QStringLiteral("fileModificationDate"), photo.fileModificationDate.toMSecsSinceEpoch());
    if (photo.metadataObjectOriginal)
        form.insert(QStringLiteral("metadataObjectOriginal"), fields(*photo.metadataObjectOriginal));
    return form;
}

PhotoFile RecordTransfer::photoFrom(const QJsonObject& form) {
    PhotoFile photo;
    for (const PhotoText& text : kPhotoTexts) photo.*text.member = form.value(QLatin1String(text.name)).toString();
    for (const PhotoNumber& number : kPhotoNumbers)
        photo.*number.member = form.value(QLatin1String(number.name)).toDouble();
    photo.isIphotosNode = form.value(QStringLiteral("isIphotosNode")).toBool();
    photo.isSelected = form.value(QStringLiteral("isSelected")).toBool();
    photo.processStatus = form.value(QStringLiteral("processStatus")).toInt();
    const QJsonValue modified = form.value(QStringLiteral("fileModificationDate"));
    if (modified.isDouble())
        photo.fileModificationDate = QDateTime::fromMSecsSinceEpoch(qint64(modified.toDouble()), Qt::UTC);
    const QJsonValue original = form.value(QStringLiteral("metadataObjectOriginal"));
    if (original.isObject()) {
        MetaDataObject record;
        applyFields(original.toObject(), record);
        photo.metadataObjectOriginal = std::move(record);
    }
    return photo;
}

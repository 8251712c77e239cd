#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

#include "model/MetaDataObject.h"

// The root of the stored preset archive: the presets in the order of the preset list.
class ProjectSession {
  public:
    // Archived and restored, never set: a null text in every stored archive.
    QString dateString;
    QList<MetaDataObject> arrayPresets;

    // Keyed coding: "$class": "ProjectSession", then "dateString" and "arrayPresets".
    QJsonObject encodeWithCoder() const;
    // Nothing when the object is not a session archive or holds a preset that is not one; the reason goes
    // to *error. A missing list reads as an empty one.
    static std::optional<ProjectSession> initWithCoder(const QJsonObject& coder, QString* error = nullptr);

    // The stored bytes: a compact JSON document with the session as its root object.
    QByteArray archivedData() const;
    static std::optional<ProjectSession> unarchive(const QByteArray& data, QString* error = nullptr);
};

#pragma once

#include <QHash>
#include <QJsonObject>
#include <QStringList>

namespace wholeapp {

// What exiftool reads from many photos in one go: for each path, the tags asked for ("-IFD0:Artist") under
// their group-qualified names ("IFD0:Artist"), numbers as numbers.
QHash<QString, QJsonObject> readTags(const QStringList& paths, const QStringList& tags);

}  // namespace wholeapp

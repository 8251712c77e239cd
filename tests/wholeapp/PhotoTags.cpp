#include "tests/wholeapp/PhotoTags.h"

#include "tests/common/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace wholeapp {

QHash<QString, QJsonObject> readTags(const QStringList& paths, const QStringList& tags) {
    QHash<QString, QJsonObject> read;
    if (paths.isEmpty()) return read;
    QStringList arguments{"-j", "-n", "-G1"};
    arguments << tags << paths;
    for (const QJsonValue& photo : QJsonDocument::fromJson(testsupport::exiftool(arguments)).array()) {
        const QJsonObject object = photo.toObject();
        read.insert(object.value(QStringLiteral("SourceFile")).toString(), object);
    }
    return read;
}

}  // namespace wholeapp

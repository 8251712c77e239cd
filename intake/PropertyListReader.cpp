#include "intake/PropertyListReader.h"

#include "platform/FileManager.h"

#include <QVariantList>
#include <QVariantMap>
#include <QXmlStreamReader>

namespace {

// Album lists nest a few levels deep; a hostile file must not exhaust the stack.
constexpr int kMaxDepth = 64;

QVariant readValue(QXmlStreamReader& xml, int depth);

QVariant readDict(QXmlStreamReader& xml, int depth) {
    QVariantMap map;
    QString key;
    bool haveKey = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("key")) {
            key = xml.readElementText();
            haveKey = true;
            continue;
        }
        QVariant value = readValue(xml, depth + 1);
        if (xml.hasError()) return {};
        if (haveKey) map.insert(key, value);
        haveKey = false;
    }
    return map;
}

QVariant readArray(QXmlStreamReader& xml, int depth) {
    QVariantList list;
    while (xml.readNextStartElement()) {
        list.append(readValue(xml, depth + 1));
        if (xml.hasError()) return {};
    }
    return list;
}

QVariant readValue(QXmlStreamReader& xml, int depth) {
    if (depth > kMaxDepth) {
        xml.raiseError(QStringLiteral("nested too deeply"));
        return {};
    }
    const auto name = xml.name();
    if (name == QLatin1String("dict")) return readDict(xml, depth);
    if (name == QLatin1String("array")) return readArray(xml, depth);
    if (name == QLatin1String("true") || name == QLatin1String("false")) {
        const bool value = name == QLatin1String("true");
        xml.skipCurrentElement();
        return value;
    }
    if (name == QLatin1String("integer")) return xml.readElementText().trimmed().toLongLong();
    if (name == QLatin1String("real")) return xml.readElementText().trimmed().toDouble();
    if (name == QLatin1String("data")) return QByteArray::fromBase64(xml.readElementText().toLatin1());
    // string, date and anything unknown keep their text.
    return xml.readElementText(QXmlStreamReader::IncludeChildElements);
}

}  // namespace

QVariant PropertyListReader::readFile(const QString& path, QString* error) {
    const std::optional<QByteArray> bytes = platform::FileManager::defaultManager().readFile(path, error);
    if (!bytes) return {};
    return readData(*bytes, error);
}

QVariant PropertyListReader::readData(const QByteArray& data, QString* error) {
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("plist")) {
        if (error) *error = QStringLiteral("not a property list");
        return {};
    }
    QVariant root;
    if (xml.readNextStartElement()) root = readValue(xml, 0);
    if (xml.hasError()) {
        if (error) *error = xml.errorString();
        return {};
    }
    return root;
}

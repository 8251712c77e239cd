#include "intake/PropertyListReader.h"

#include "platform/FileManager.h"

#include <QVariantList>
#include <QVariantMap>
#include <QXmlStreamReader>

namespace {

// Album lists nest a few levels deep; a hostile file must not exhaust the stack.
constexpr int kMaxDepth = 64;

class Parser {
  public:
    Parser(const QByteArray& data, const std::atomic<bool>* stop) : m_xml(data), m_stop(stop) {}

    QVariant read(QString* error) {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("plist")) {
            if (error) *error = QStringLiteral("not a property list");
            return {};
        }
        QVariant root;
        if (m_xml.readNextStartElement()) root = value(0);
        if (m_xml.hasError()) {
            if (error) *error = m_xml.errorString();
            return {};
        }
        return root;
    }

  private:
    // Looked at before every element, so Stop ends even the parse of a very large list within moments.
    bool stopped() {
        if (!m_stop || !m_stop->load(std::memory_order_relaxed)) return false;
        m_xml.raiseError(QStringLiteral("the import was stopped"));
        return true;
    }

    QVariant dict(int depth) {
        QVariantMap map;
        QString key;
        bool haveKey = false;
        while (!stopped() && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("key")) {
                key = m_xml.readElementText();
                haveKey = true;
                continue;
            }
            QVariant item = value(depth + 1);
            if (m_xml.hasError()) return {};
            if (haveKey) map.insert(key, item);
            haveKey = false;
        }
        return map;
    }

    QVariant array(int depth) {
        QVariantList list;
        while (!stopped() && m_xml.readNextStartElement()) {
            list.append(value(depth + 1));
            if (m_xml.hasError()) return {};
        }
        return list;
    }

    QVariant value(int depth) {
        if (depth > kMaxDepth) {
            m_xml.raiseError(QStringLiteral("nested too deeply"));
            return {};
        }
        const auto name = m_xml.name();
        if (name == QLatin1String("dict")) return dict(depth);
        if (name == QLatin1String("array")) return array(depth);
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const bool flag = name == QLatin1String("true");
            m_xml.skipCurrentElement();
            return flag;
        }
        if (name == QLatin1String("integer")) return m_xml.readElementText().trimmed().toLongLong();
        if (name == QLatin1String("real")) return m_xml.readElementText().trimmed().toDouble();
        if (name == QLatin1String("data")) return QByteArray::fromBase64(m_xml.readElementText().toLatin1());
        // string, date and anything unknown keep their text.
        return m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }

    QXmlStreamReader m_xml;
    const std::atomic<bool>* m_stop;
};

}  // namespace

QVariant PropertyListReader::readFile(const QString& path, QString* error, const std::atomic<bool>* stop) {
    const std::optional<QByteArray> bytes = platform::FileManager::defaultManager().readFile(path, error);
    if (!bytes) return {};
    return readData(*bytes, error, stop);
}

QVariant PropertyListReader::readData(const QByteArray& data, QString* error, const std::atomic<bool>* stop) {
    return Parser(data, stop).read(error);
}

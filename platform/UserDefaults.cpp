#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStandardPaths>
#include <cctype>

#include "platform/Log.h"

namespace platform {
namespace {

// A key as the settings file writes names made of these characters: as they stand. Other names are escaped
// there and are not compared.
bool isPlainKey(const QByteArray& key) {
    for (const char c : key) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' || c == '\\'))
            return false;
    }
    return !key.isEmpty();
}

// Whether the reading took in every line of the file: each is blank, a comment, a section header or a key
// the reading knows. The reader reports some damage as a format error, but a stray quote or bracket can also
// make it swallow or rename every key after it without one.
bool isReadWhole(const QByteArray& raw, const QSettings& settings) {
    if (settings.status() != QSettings::NoError) return false;
    const QStringList keyList = settings.allKeys();
    const QSet<QString> keys(keyList.begin(), keyList.end());
    QString section;
    bool sectionComparable = true;
    for (const QByteArray& rawLine : raw.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.count('[') != 1 || line.count(']') != 1) return false;
            section = QString::fromUtf8(line.mid(1, line.size() - 2)).trimmed();
            sectionComparable = !section.contains(QLatin1Char('%'));
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) return false;
        const QByteArray key = line.left(equals).trimmed();
        if (!sectionComparable || !isPlainKey(key)) continue;
        QString name = QString::fromLatin1(key).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!section.isEmpty() && section != u"General") name = section + QLatin1Char('/') + name;
        if (!keys.contains(name)) return false;
    }
    return true;
}

}  // namespace

UserDefaults::UserDefaults(const QString& filePath) : m_filePath(filePath) {
    open();
}

QString UserDefaults::standardFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Lumarind/Lumarind.conf");
}

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults defaults([] {
        const QString path = standardFilePath();
        QDir().mkpath(QFileInfo(path).path());
        return path;
    }());
    return defaults;
}

void UserDefaults::open() {
    const QFileInfo info(m_filePath);
    // Opening a pipe waits for a writer, and a folder cannot be written: neither is touched.
    if (info.exists() && !info.isFile()) {
        m_fileState = FileState::NotAFile;
        qCWarning(lcPlatform).noquote() << "the settings path is not a file; settings are kept in memory for this run:"
                                        << m_filePath;
        return;
    }
    QByteArray raw;
    if (info.exists()) {
        QFile file(m_filePath);
        if (!file.open(QIODevice::ReadOnly)) {
            m_fileState = FileState::Damaged;
            qCWarning(lcPlatform).noquote() << "the settings file cannot be read; it is left alone and settings are"
                                            << "kept in memory for this run:" << m_filePath << file.errorString();
            return;
        }
        raw = file.readAll();
    }
    auto settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
    if (isReadWhole(raw, *settings)) {
        m_settings = std::move(settings);
        return;
    }
    m_fileState = FileState::Damaged;
    QVariantMap readable;
    for (const QString& key : settings->allKeys()) readable.insert(key, settings->value(key));
    settings.reset();  // nothing was changed, so nothing is written
    m_keptCopyPath = keepCopy();
    // The file is started afresh from what could be read: its reading would stumble again at every write, and
    // the reader's error, once set, would make every later write look failed.
    QFile original(m_filePath);
    if (m_keptCopyPath.isEmpty() || !original.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_memory = readable;
        qCWarning(lcPlatform).noquote() << "the settings file cannot be read whole and could not be kept aside; it is"
                                        << "left alone and settings are kept in memory for this run:" << m_filePath;
        return;
    }
    original.close();
    m_settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
    for (auto it = readable.cbegin(); it != readable.cend(); ++it) m_settings->setValue(it.key(), it.value());
    m_settings->sync();
    qCWarning(lcPlatform).noquote() << "the settings file could not be read whole; it was kept as it was at"
                                    << m_keptCopyPath;
}

QString UserDefaults::keepCopy() const {
    const QFileInfo info(m_filePath);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-unreadable-") +
                         QLocale::c().toString(m_clock(), QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1; n <= 100; ++n) {
        const QString copy = stem + (n == 1 ? QString() : QLatin1Char('-') + QString::number(n)) + suffix;
        if (QFileInfo::exists(copy)) continue;
        return QFile::copy(m_filePath, copy) ? copy : QString();
    }
    return QString();
}

bool UserDefaults::writesToFile() const {
    QMutexLocker lock(&m_mutex);
    return m_settings != nullptr;
}

void UserDefaults::registerDefaults(const QVariantMap& defaults) {
    QMutexLocker lock(&m_mutex);
    for (auto it = defaults.begin(); it != defaults.end(); ++it) m_registered.insert(it.key(), it.value());
}

bool UserDefaults::contains(const QString& key) const {
    QMutexLocker lock(&m_mutex);
    return m_settings ? m_settings->contains(key) : m_memory.contains(key);
}

QVariant UserDefaults::value(const QString& key) const {
    QMutexLocker lock(&m_mutex);
    if (m_settings && m_settings->contains(key)) return m_settings->value(key);
    if (!m_settings && m_memory.contains(key)) return m_memory.value(key);
    return m_registered.value(key);
}

QString UserDefaults::string(const QString& key) const {
    return value(key).toString();
}

QByteArray UserDefaults::data(const QString& key) const {
    return value(key).toByteArray();
}

bool UserDefaults::boolValue(const QString& key) const {
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == u"yes" || s == u"true" || s == u"1";
    }
    return v.toBool();
}

void UserDefaults::setValue(const QString& key, const QVariant& value) {
    QMutexLocker lock(&m_mutex);
    if (m_settings)
        m_settings->setValue(key, value);
    else
        m_memory.insert(key, value);
}

void UserDefaults::remove(const QString& key) {
    QMutexLocker lock(&m_mutex);
    if (m_settings)
        m_settings->remove(key);
    else
        m_memory.remove(key);
}

bool UserDefaults::synchronize() {
    QMutexLocker lock(&m_mutex);
    if (!m_settings) return false;
    const QFileInfo info(m_filePath);
    if (info.exists() && !info.isFile()) return false;
    if (m_settings->status() != QSettings::NoError) {
        // The reader keeps its first error for good, so every later write would look failed too: a new one
        // takes over the values.
        QVariantMap values;
        for (const QString& key : m_settings->allKeys()) values.insert(key, m_settings->value(key));
        m_settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it) m_settings->setValue(it.key(), it.value());
    }
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

}  // namespace platform

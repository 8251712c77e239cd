#include "platform/UserDefaults.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

UserDefaults::UserDefaults(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat)) {}

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults defaults([] {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Lumarind");
        QDir().mkpath(folder);
        return folder + QStringLiteral("/Lumarind.conf");
    }());
    return defaults;
}

void UserDefaults::registerDefaults(const QVariantMap& defaults) {
    QMutexLocker lock(&m_mutex);
    for (auto it = defaults.begin(); it != defaults.end(); ++it) m_registered.insert(it.key(), it.value());
}

bool UserDefaults::contains(const QString& key) const {
    QMutexLocker lock(&m_mutex);
    return m_settings->contains(key);
}

QVariant UserDefaults::value(const QString& key) const {
    QMutexLocker lock(&m_mutex);
    if (m_settings->contains(key)) return m_settings->value(key);
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
    m_settings->setValue(key, value);
}

void UserDefaults::remove(const QString& key) {
    QMutexLocker lock(&m_mutex);
    m_settings->remove(key);
}

bool UserDefaults::synchronize() {
    QMutexLocker lock(&m_mutex);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString UserDefaults::filePath() const {
    return m_settings->fileName();
}

}  // namespace platform

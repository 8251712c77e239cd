#pragma once

#include <QByteArray>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace platform {

// Key-value settings that outlive the process, with registered in-memory defaults that are never stored.
class UserDefaults {
  public:
    // Stored in the given file; tests pass a temporary one.
    explicit UserDefaults(const QString& filePath);
    // The application's own store.
    static UserDefaults& standardUserDefaults();

    void registerDefaults(const QVariantMap& defaults);
    // Presence of a stored value (registered defaults do not count).
    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;  // stored, else registered, else invalid
    QString string(const QString& key) const;
    QByteArray data(const QString& key) const;
    bool boolValue(const QString& key) const;

    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Writes to disk now; false when the store could not be written.
    bool synchronize();

    QString filePath() const;

  private:
    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_registered;
};

}  // namespace platform

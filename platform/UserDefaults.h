#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace platform {

// Key-value settings that outlive the process, with registered in-memory defaults that are never stored.
//
// The file is never overwritten unseen. One that cannot be read whole (a stray bracket or quote makes the
// reading skip or rename every key after it, often without an error) is copied aside under a dated name
// before anything is written, and the store goes on from what could be read. When no copy can be made, or a
// folder or a pipe stands at the path, the file is left alone and the store lives in memory for the run.
// fileState() tells which, so the application can say so.
class UserDefaults {
  public:
    enum class FileState {
        Read,      // read whole, or absent (a first run)
        Damaged,   // could not be read whole; see keptCopyPath()
        NotAFile,  // a folder, a pipe or a device stands at the path
    };

    // Stored in the given file; tests pass a temporary one.
    explicit UserDefaults(const QString& filePath);
    // The application's own store, in standardFilePath().
    static UserDefaults& standardUserDefaults();
    // Lumarind/Lumarind.conf in the user's configuration folder ($XDG_CONFIG_HOME, by default ~/.config).
    static QString standardFilePath();

    void registerDefaults(const QVariantMap& defaults);
    // Presence of a stored value (registered defaults do not count).
    bool contains(const QString& key) const;
    QVariant value(const QString& key) const;  // stored, else registered, else invalid
    QString string(const QString& key) const;
    QByteArray data(const QString& key) const;
    bool boolValue(const QString& key) const;

    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    // Writes to disk now; false when the store could not be written (always, while it lives in memory or
    // something other than a file stands at the path).
    bool synchronize();

    QString filePath() const { return m_filePath; }
    FileState fileState() const { return m_fileState; }
    // Where a damaged file was kept as it was; "" when it was not damaged or no copy could be made.
    QString keptCopyPath() const { return m_keptCopyPath; }
    // Whether changes reach the file at all.
    bool writesToFile() const;
    // Copies the file as it stands now beside it, under a name with today's date and time; the copy's path,
    // or "" when none could be made.
    QString keepCopy() const;
    // The clock that dates kept copies; tests set one that stands still.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

  private:
    void open();

    mutable QMutex m_mutex;
    QString m_filePath;
    FileState m_fileState = FileState::Read;
    QString m_keptCopyPath;
    std::unique_ptr<QSettings> m_settings;  // null: the store lives in m_memory
    QVariantMap m_memory;
    QVariantMap m_registered;
    std::function<QDateTime()> m_clock = [] { return QDateTime::currentDateTime(); };
};

}  // namespace platform

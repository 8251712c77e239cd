#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

#include "model/MetaDataObject.h"

namespace platform {
class UserDefaults;
}

// The user's presets and their archive in the user defaults. Used on the main thread only.
class PresetStore {
  public:
    static QString projectSessionKey() { return QStringLiteral("PROJECT_SESSION"); }
    // Where an archive that cannot be read is kept, so that a damaged value is never overwritten unseen.
    static QString unreadableKey() { return QStringLiteral("PROJECT_SESSION_UNREADABLE"); }

    // What the user must be told about the stored presets: an alert's bold line and the text below it.
    struct Notice {
        QString messageText;
        QString informativeText;
    };

    explicit PresetStore(platform::UserDefaults& defaults);

    // Receives each notice as it arises: at load, when stored presets could not be read or the settings file
    // cannot be used at all; at the first failed save after a good one. Without a receiver the log alone has
    // them.
    void setNoticeHandler(std::function<void(const Notice&)> handler) { m_noticeHandler = std::move(handler); }

    // The editable preset list, in display order.
    QList<MetaDataObject>& arrayPresets() { return m_arrayPresets; }
    const QList<MetaDataObject>& arrayPresets() const { return m_arrayPresets; }

    // Replaces the list with the stored presets; no stored value gives an empty list. An archive that
    // cannot be decoded also gives an empty list: its bytes are copied under unreadableKey() (or a numbered
    // variant when that key already holds different bytes), the settings file is copied aside as it was and
    // one line is logged. Stored presets that could not be read, and a settings file that cannot be used at
    // all, are a notice.
    void loadPresets();
    // Stores the current list under projectSessionKey() and writes the defaults out. Run at termination and
    // after every add, edit or remove in the presets window; false when the defaults could not be written.
    bool saveProjectSession();

  private:
    QString keepUnreadable(const QByteArray& data);
    void tellUnreadable(const QString& cause, const QString& keptCopy);
    void tell(const Notice& notice);

    platform::UserDefaults& m_defaults;
    QList<MetaDataObject> m_arrayPresets;
    std::function<void(const Notice&)> m_noticeHandler;
    bool m_saveFailureTold = false;
};

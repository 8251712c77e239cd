#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

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

    explicit PresetStore(platform::UserDefaults& defaults);

    // The editable preset list, in display order.
    QList<MetaDataObject>& arrayPresets() { return m_arrayPresets; }
    const QList<MetaDataObject>& arrayPresets() const { return m_arrayPresets; }

    // Replaces the list with the stored presets; no stored value gives an empty list. An archive that
    // cannot be decoded also gives an empty list: its bytes are copied under unreadableKey() (or a numbered
    // variant when that key already holds different bytes) and one line is logged.
    void loadPresets();
    // Stores the current list under projectSessionKey() and writes the defaults out. Run at termination and
    // after every add, edit or remove in the presets window; false when the defaults could not be written.
    bool saveProjectSession();

  private:
    QString keepUnreadable(const QByteArray& data);

    platform::UserDefaults& m_defaults;
    QList<MetaDataObject> m_arrayPresets;
};

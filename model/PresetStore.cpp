#include "model/PresetStore.h"

#include "model/Logging.h"
#include "model/ProjectSession.h"
#include "platform/UserDefaults.h"

PresetStore::PresetStore(platform::UserDefaults& defaults) : m_defaults(defaults) {}

void PresetStore::loadPresets() {
    m_arrayPresets.clear();
    if (!m_defaults.contains(projectSessionKey())) return;
    const QByteArray data = m_defaults.data(projectSessionKey());
    if (data.isEmpty()) return;
    QString reason;
    std::optional<ProjectSession> session = ProjectSession::unarchive(data, &reason);
    if (session) {
        m_arrayPresets = std::move(session->arrayPresets);
        return;
    }
    const QString keptUnder = keepUnreadable(data);
    qCInfo(lcModel).noquote()
        << QStringLiteral(
               "presets archive could not be read (%1); starting without presets, the stored bytes "
               "are kept under %2")
               .arg(reason, keptUnder);
}

bool PresetStore::saveProjectSession() {
    ProjectSession session;
    session.arrayPresets = m_arrayPresets;
    m_defaults.setValue(projectSessionKey(), session.archivedData());
    if (m_defaults.synchronize()) return true;
    qCInfo(lcModel).noquote() << QStringLiteral("presets could not be saved to %1").arg(m_defaults.filePath());
    return false;
}

QString PresetStore::keepUnreadable(const QByteArray& data) {
    // An earlier damaged archive may already be kept there; never replace it with a different one.
    for (int n = 1;; ++n) {
        const QString key = n == 1 ? unreadableKey() : QStringLiteral("%1_%2").arg(unreadableKey()).arg(n);
        if (m_defaults.contains(key) && m_defaults.data(key) != data) continue;
        m_defaults.setValue(key, data);
        m_defaults.synchronize();
        return key;
    }
}

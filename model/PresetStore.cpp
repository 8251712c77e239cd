#include "model/PresetStore.h"

#include "model/Logging.h"
#include "model/ProjectSession.h"
#include "platform/UserDefaults.h"

PresetStore::PresetStore(platform::UserDefaults& defaults) : m_defaults(defaults) {}

void PresetStore::loadPresets() {
    using FileState = platform::UserDefaults::FileState;
    m_arrayPresets.clear();
    if (m_defaults.fileState() == FileState::NotAFile) {
        tell({QStringLiteral("Your presets cannot be read or saved"),
              m_defaults.filePath() +
                  QStringLiteral(" should be the settings file, but a folder or a pipe stands there. It is left as it "
                                 "is, and no preset or setting is saved while the application runs.")});
        return;
    }
    // A damaged file may still have given its presets; when it did, nothing of them is lost.
    const bool damaged = m_defaults.fileState() == FileState::Damaged;
    const QByteArray data =
        m_defaults.contains(projectSessionKey()) ? m_defaults.data(projectSessionKey()) : QByteArray();
    if (!data.isEmpty()) {
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
        if (!damaged) {
            tellUnreadable(QStringLiteral("The presets in the settings file could not be read."),
                           m_defaults.keepCopy());
            return;
        }
    }
    if (damaged) tellUnreadable(QStringLiteral("The settings file is damaged."), m_defaults.keptCopyPath());
}

void PresetStore::tellUnreadable(const QString& cause, const QString& keptCopy) {
    QString text = keptCopy.isEmpty()
                       ? cause + QStringLiteral(" No copy of it could be made, so it is left as it is at:\n") +
                             m_defaults.filePath()
                       : cause + QStringLiteral(" It was kept as it was at:\n") + keptCopy;
    text += m_defaults.writesToFile()
                ? QStringLiteral("\n\nThe application goes on without those presets; presets you make now are saved.")
                : QStringLiteral("\n\nNo preset or setting is saved while the application runs.");
    tell({QStringLiteral("Your presets could not be read"), text});
}

bool PresetStore::saveProjectSession() {
    ProjectSession session;
    session.arrayPresets = m_arrayPresets;
    m_defaults.setValue(projectSessionKey(), session.archivedData());
    if (m_defaults.synchronize()) {
        m_saveFailureTold = false;
        return true;
    }
    qCInfo(lcModel).noquote() << QStringLiteral("presets could not be saved to %1").arg(m_defaults.filePath());
    // A store that cannot write at all was announced at load; a failing write is told once until one succeeds.
    if (m_defaults.writesToFile() && !m_saveFailureTold) {
        m_saveFailureTold = true;
        tell({QStringLiteral("Your presets could not be saved"),
              QStringLiteral("The settings file could not be written:\n") + m_defaults.filePath() +
                  QStringLiteral("\n\nThe application keeps your presets while it runs and saves them again with "
                                 "your next change.")});
    }
    return false;
}

void PresetStore::tell(const Notice& notice) {
    if (m_noticeHandler) m_noticeHandler(notice);
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

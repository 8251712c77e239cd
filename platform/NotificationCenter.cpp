#include "platform/NotificationCenter.h"

#include <QMutexLocker>

#include <algorithm>
#include <atomic>

namespace platform {

struct NotificationCenter::Entry {
    const QObject* owner = nullptr;  // compared only: the entry is switched off before the owner is gone
    QString name;
    Handler handler;
    std::atomic<bool> active{true};
};

NotificationCenter::NotificationCenter() = default;

NotificationCenter::~NotificationCenter() = default;

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* center = new NotificationCenter;  // lives as long as the process
    return *center;
}

void NotificationCenter::addObserver(QObject* owner, const QString& name, Handler handler) {
    if (!owner || !handler) return;
    auto entry = std::make_shared<Entry>();
    entry->owner = owner;
    entry->name = name;
    entry->handler = std::move(handler);
    bool firstForOwner = false;
    {
        QMutexLocker lock(&m_mutex);
        firstForOwner =
            std::none_of(m_entries.begin(), m_entries.end(), [owner](const auto& e) { return e->owner == owner; });
        m_entries.push_back(entry);
    }
    if (firstForOwner) {
        // Direct, so the entries are gone before the owner's memory is: the destroyed signal runs inside
        // the owner's destructor on whichever thread deletes it.
        connect(
            owner, &QObject::destroyed, this, [this, owner] { removeMatching(owner, nullptr); }, Qt::DirectConnection);
    }
}

void NotificationCenter::removeObserver(QObject* owner) {
    // Disconnected first: an observer another thread adds meanwhile is then either removed below or
    // connects anew, never left behind without its owner's destroyed signal.
    if (owner) disconnect(owner, &QObject::destroyed, this, nullptr);
    removeMatching(owner, nullptr);
}

void NotificationCenter::removeObserver(QObject* owner, const QString& name) {
    removeMatching(owner, &name);
}

void NotificationCenter::removeMatching(const QObject* owner, const QString* name) {
    QMutexLocker lock(&m_mutex);
    auto matches = [&](const std::shared_ptr<Entry>& e) { return e->owner == owner && (!name || e->name == *name); };
    for (auto& e : m_entries) {
        if (matches(e)) e->active = false;  // a post already under way must skip it as well
    }
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), matches), m_entries.end());
}

void NotificationCenter::post(const QString& name, QObject* object, const QVariantMap& userInfo) {
    std::vector<std::shared_ptr<Entry>> receivers;
    {
        QMutexLocker lock(&m_mutex);
        for (const auto& e : m_entries) {
            if (e->name == name) receivers.push_back(e);
        }
    }
    const Notification notification{name, object, userInfo};
    // Handlers run unlocked: they may post, add or remove observers, or delete other observers' owners.
    for (const auto& e : receivers) {
        if (e->active) e->handler(notification);
    }
}

int NotificationCenter::observerCount() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_entries.size());
}

}  // namespace platform

#pragma once

#include "platform/Notification.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

namespace platform {

// Named notifications between parts of the application that do not know each other. Handlers run on the
// posting thread, synchronously, in the order they were added. An observer belongs to a QObject owner and
// goes away with it, so no handler ever runs for an object that no longer exists.
class NotificationCenter : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter() override;

    // The one centre the whole application shares.
    static NotificationCenter& defaultCenter();

    // owner must not be null: it is what later removes the observer, explicitly or by dying.
    void addObserver(QObject* owner, const QString& name, Handler handler);
    void removeObserver(QObject* owner);
    void removeObserver(QObject* owner, const QString& name);

    void post(const QString& name, QObject* object = nullptr, const QVariantMap& userInfo = {});

    int observerCount() const;

  private:
    struct Entry;
    void removeMatching(const QObject* owner, const QString* name);

    mutable QMutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
};

}  // namespace platform

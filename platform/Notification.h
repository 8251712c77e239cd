#pragma once

#include <QPointer>
#include <QString>
#include <QVariantMap>

namespace platform {

// One named announcement: who posted it (may be none) and what it carries.
struct Notification {
    QString name;
    QPointer<QObject> object;
    QVariantMap userInfo;
};

}  // namespace platform

#pragma once

#include <QString>

// Names of the notifications the shell posts or observes on the default centre. Other layers that post
// them spell them the same way; the names are part of how the screens talk, so they never change.
namespace AppNotifications {

inline QString showTips() {
    return QStringLiteral("notificationShowTips");
}
inline QString showFeedback() {
    return QStringLiteral("notificationShowFeedback");
}
inline QString updatePhoneNumber() {
    return QStringLiteral("updatePhoneNumber");
}
// Posted by the editing screen's loader when it shows and hides.
inline QString showLoading() {
    return QStringLiteral("notificationsShowLoading");
}
inline QString hideLoading() {
    return QStringLiteral("notificationsHideLoading");
}
// Posted by the close flow when the main window is hidden for the promotion panel; user info "object".
inline QString mainWindowClose() {
    return QStringLiteral("mainWindowClose");
}
// Posted when a window of the application closes, with that window as object (none from the close
// confirmation). The main window posts it; so does the promotion panel.
inline QString windowWillClose() {
    return QStringLiteral("WindowWillCloseNotification");
}
inline QString reachabilityChanged() {
    return QStringLiteral("kNetworkReachabilityChangedNotification");
}
inline QString windowResized() {
    return QStringLiteral("notificationWindowResized");
}
inline QString windowEndResizing() {
    return QStringLiteral("notificationWindowEndResizing");
}
inline QString submitFeedback() {
    return QStringLiteral("notificationSubmitFeedback");
}
inline QString fileDragDrop() {
    return QStringLiteral("FileDragDropNotification");
}

}  // namespace AppNotifications

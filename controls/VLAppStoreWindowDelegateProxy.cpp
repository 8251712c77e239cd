#include "controls/VLAppStoreWindowDelegateProxy.h"

#include "controls/TitlebarGeometry.h"

QRectF VLAppStoreWindowDelegateProxy::sheetRect(VLAppStoreWindow* window, QWidget* sheet, const QRectF& proposed,
                                                qreal titleBarHeight) {
    if (auto answer = windowWillPositionSheet(window, sheet, proposed)) return *answer;
    return TitlebarGeometry::defaultSheetRect(proposed, titleBarHeight);
}

std::optional<QRectF> VLAppStoreWindowDelegateProxy::windowWillPositionSheet(VLAppStoreWindow* window, QWidget* sheet,
                                                                             const QRectF& proposed) {
    return m_secondary ? m_secondary->windowWillPositionSheet(window, sheet, proposed) : std::nullopt;
}

bool VLAppStoreWindowDelegateProxy::windowShouldClose(VLAppStoreWindow* window) {
    return m_secondary ? m_secondary->windowShouldClose(window) : true;
}

void VLAppStoreWindowDelegateProxy::windowWillClose(VLAppStoreWindow* window) {
    if (m_secondary) m_secondary->windowWillClose(window);
}

void VLAppStoreWindowDelegateProxy::windowDidResize(VLAppStoreWindow* window) {
    if (m_secondary) m_secondary->windowDidResize(window);
}

void VLAppStoreWindowDelegateProxy::windowDidEnterFullScreen(VLAppStoreWindow* window) {
    if (m_secondary) m_secondary->windowDidEnterFullScreen(window);
}

void VLAppStoreWindowDelegateProxy::windowDidExitFullScreen(VLAppStoreWindow* window) {
    if (m_secondary) m_secondary->windowDidExitFullScreen(window);
}

#include "platform/Compositing.h"

#include <QByteArray>
#include <QGuiApplication>

#ifdef LUMARIND_HAS_XCB
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace platform {

namespace {

std::optional<bool> g_answer;

#ifdef LUMARIND_HAS_XCB
// A compositing manager owns the selection _NET_WM_CM_S<screen> of the X screen it composites.
bool xCompositingManagerRunning(xcb_connection_t* connection) {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen)) screen = 0;
    std::free(host);
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    // With only_if_exists, no atom means no client ever asked for it: nobody owns the selection.
    if (!atom || atom->atom == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}
#endif

}  // namespace

bool hasCompositing() {
    if (g_answer) return *g_answer;
    // Wayland always composites; the offscreen platform draws into images.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return true;
#ifdef LUMARIND_HAS_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) return xCompositingManagerRunning(x11->connection());
#endif
    // A shaped window looks right on any X display; a see-through one only where something composites.
    return false;
}

void setCompositingAnswer(std::optional<bool> answer) {
    g_answer = answer;
}

}  // namespace platform

#pragma once

#include <QRectF>

#include <optional>

class QWidget;
class VLAppStoreWindow;

// What the users of a VLAppStoreWindow may hear from it. Every message is optional: the defaults do
// nothing and answer "no opinion".
class VLAppStoreWindowDelegate {
  public:
    virtual ~VLAppStoreWindowDelegate() = default;

    // The rectangle whose top edge a sheet hangs from, in window coordinates; nothing lets the window decide.
    virtual std::optional<QRectF> windowWillPositionSheet(VLAppStoreWindow* window, QWidget* sheet,
                                                          const QRectF& proposed) {
        (void)window;
        (void)sheet;
        (void)proposed;
        return std::nullopt;
    }
    virtual bool windowShouldClose(VLAppStoreWindow* window) {
        (void)window;
        return true;
    }
    virtual void windowWillClose(VLAppStoreWindow* window) { (void)window; }
    virtual void windowDidResize(VLAppStoreWindow* window) { (void)window; }
    virtual void windowDidEnterFullScreen(VLAppStoreWindow* window) { (void)window; }
    virtual void windowDidExitFullScreen(VLAppStoreWindow* window) { (void)window; }
};

#pragma once

#include "controls/VLAppStoreWindowDelegate.h"

// The delegate the window talks to: it places sheets under the tall bar unless the user's delegate (the
// secondary one, not owned) places them, and passes every other message on when there is someone to hear it.
class VLAppStoreWindowDelegateProxy : public VLAppStoreWindowDelegate {
  public:
    VLAppStoreWindowDelegate* secondaryDelegate() const { return m_secondary; }
    void setSecondaryDelegate(VLAppStoreWindowDelegate* delegate) { m_secondary = delegate; }

    // Always answers: the secondary delegate's rectangle, else the proposed one moved to the bar's bottom.
    QRectF sheetRect(VLAppStoreWindow* window, QWidget* sheet, const QRectF& proposed, qreal titleBarHeight);

    std::optional<QRectF> windowWillPositionSheet(VLAppStoreWindow* window, QWidget* sheet,
                                                  const QRectF& proposed) override;
    bool windowShouldClose(VLAppStoreWindow* window) override;
    void windowWillClose(VLAppStoreWindow* window) override;
    void windowDidResize(VLAppStoreWindow* window) override;
    void windowDidEnterFullScreen(VLAppStoreWindow* window) override;
    void windowDidExitFullScreen(VLAppStoreWindow* window) override;

  private:
    VLAppStoreWindowDelegate* m_secondary = nullptr;
};

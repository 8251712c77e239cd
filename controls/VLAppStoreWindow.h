#pragma once

#include "controls/TitleBarAppearance.h"
#include "controls/VLAppStoreWindowDelegateProxy.h"

#include <QPointer>
#include <QWidget>

class IMGButton;
class VLTitlebarContainer;

// A frameless top-level window with a title bar of any height filled with any view. Its own close,
// minimise and zoom buttons sit inside the bar (in a row or a column, by margins or centred), the content
// view ends where the bar begins, sheets hang from under the bar, and the controls placed in the bar are
// enabled only while the window is the active one. The bar and the window edges move and resize the window
// through the window system.
class VLAppStoreWindow : public QWidget {
    Q_OBJECT
  public:
    explicit VLAppStoreWindow(QWidget* parent = nullptr);
    ~VLAppStoreWindow() override;

    qreal titleBarHeight() const { return m_titleBarHeight; }
    void setTitleBarHeight(qreal height);
    // The bar's view (owned by the window); nullptr or the current view is ignored.
    QWidget* titleBarView() const { return m_titleBarView; }
    void setTitleBarView(QWidget* view);
    QWidget* titleBarContainer() const;

    bool centerFullScreenButton() const { return m_centerFullScreenButton; }
    void setCenterFullScreenButton(bool on);
    bool centerTrafficLightButtons() const { return m_centerTrafficLightButtons; }
    void setCenterTrafficLightButtons(bool on);
    bool verticalTrafficLightButtons() const { return m_verticalTrafficLightButtons; }
    void setVerticalTrafficLightButtons(bool on);
    bool verticallyCenterTitle() const { return m_verticallyCenterTitle; }
    void setVerticallyCenterTitle(bool on);
    bool hideTitleBarInFullScreen() const { return m_hideTitleBarInFullScreen; }
    void setHideTitleBarInFullScreen(bool on) { m_hideTitleBarInFullScreen = on; }
    bool showsBaselineSeparator() const { return m_showsBaselineSeparator; }
    void setShowsBaselineSeparator(bool on);
    qreal trafficLightButtonsLeftMargin() const { return m_trafficLightButtonsLeftMargin; }
    void setTrafficLightButtonsLeftMargin(qreal margin);
    // Takes effect at the next layout.
    qreal trafficLightButtonsTopMargin() const { return m_trafficLightButtonsTopMargin; }
    void setTrafficLightButtonsTopMargin(qreal margin) { m_trafficLightButtonsTopMargin = margin; }
    qreal fullScreenButtonRightMargin() const { return m_fullScreenButtonRightMargin; }
    void setFullScreenButtonRightMargin(qreal margin);
    qreal fullScreenButtonTopMargin() const { return m_fullScreenButtonTopMargin; }
    void setFullScreenButtonTopMargin(qreal margin) { m_fullScreenButtonTopMargin = margin; }
    qreal trafficLightSeparation() const { return m_trafficLightSeparation; }
    void setTrafficLightSeparation(qreal separation);
    bool showsTitle() const { return m_showsTitle; }
    void setShowsTitle(bool on);
    bool showsTitleInFullscreen() const { return m_showsTitleInFullscreen; }
    void setShowsTitleInFullscreen(bool on) { m_showsTitleInFullscreen = on; }

    // The window's own buttons. The window has no full-screen button of its own.
    IMGButton* closeButton() const { return m_closeButton; }
    IMGButton* minimizeButton() const { return m_minimizeButton; }
    IMGButton* zoomButton() const { return m_zoomButton; }
    QWidget* fullScreenButton() const { return nullptr; }

    // Colours, fonts, shadows and the drawing block of the default bar; changes show at its next redraw.
    TitleBarAppearance& appearance() { return m_appearance; }
    const TitleBarAppearance& appearance() const { return m_appearance; }

    // The window's users' delegate, not owned.
    VLAppStoreWindowDelegate* delegate() const { return m_delegateProxy.secondaryDelegate(); }
    void setDelegate(VLAppStoreWindowDelegate* delegate) { m_delegateProxy.setSecondaryDelegate(delegate); }

    // The view below the bar (owned by the window); it always ends where the bar begins.
    QWidget* contentView() const { return m_contentView; }
    void setContentView(QWidget* view);

    // Whether the edges resize the window; switching it never moves or resizes the window.
    bool isResizable() const { return m_resizable; }
    void setResizable(bool resizable);

    // The active window of the active application draws as main; the inactive look serves every other case.
    bool drawsAsMain() const;
    bool isInFullScreen() const;

    // Opens sheet window-modal, hanging from the bar's bottom (or where the delegate says), centred.
    void beginSheet(QWidget* sheet);
    // Where a sheet of that size would be placed, in screen coordinates.
    QPointF sheetPosition(QWidget* sheet, const QSizeF& sheetSize);

    // Places the buttons, the bar and the content view for the current size and settings.
    void layoutTrafficLightsAndContent();
    // Redraws the bar and enables its controls only while the window draws as main.
    void updateTitlebarView();

    // The height of a system title bar, measured once per process.
    static qreal minimumTitlebarHeight();
    static qreal defaultTrafficLightSeparation();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createTitlebarView();
    void createStandardButtons();
    void repositionContentView();
    void displayTitlebar();
    void windowWillEnterFullScreen();
    void windowWillExitFullScreen();
    void windowDidExitFullScreen();

    qreal m_titleBarHeight = 0;
    qreal m_cachedTitleBarHeight = 0;
    bool m_centerFullScreenButton = false;
    bool m_centerTrafficLightButtons = true;
    bool m_verticalTrafficLightButtons = false;
    bool m_verticallyCenterTitle = false;
    bool m_hideTitleBarInFullScreen = false;
    bool m_showsBaselineSeparator = true;
    qreal m_trafficLightButtonsLeftMargin = 3.0;
    qreal m_trafficLightButtonsTopMargin = 0;
    qreal m_fullScreenButtonRightMargin = 3.0;
    qreal m_fullScreenButtonTopMargin = 0;
    qreal m_trafficLightSeparation = 0;
    bool m_showsTitle = false;
    bool m_showsTitleInFullscreen = false;
    TitleBarAppearance m_appearance;
    bool m_resizable = true;
    bool m_wasFullScreen = false;

    VLAppStoreWindowDelegateProxy m_delegateProxy;
    VLTitlebarContainer* m_titleBarContainer = nullptr;
    QPointer<QWidget> m_titleBarView;
    QPointer<QWidget> m_contentView;
    IMGButton* m_closeButton = nullptr;
    IMGButton* m_minimizeButton = nullptr;
    IMGButton* m_zoomButton = nullptr;
};

#pragma once

#include <QWidget>

class IMGButton;
class QLabel;
class QMenu;
class MouseDownView;

// The main window's own title bar (vwTopContainer): its dark rounded background (headerBG), the area that
// drags the window, the application's name, the support number and the menu of application actions. The
// window's close, minimise and zoom buttons are the window's and sit above it.
class MainTitleBar : public QWidget {
    Q_OBJECT
  public:
    explicit MainTitleBar(QWidget* parent = nullptr);

    MouseDownView* vwMouseDownLintener() const { return m_dragArea; }
    // The support number and what surrounds it; hidden while there is no number.
    QWidget* viewContactSupport() const { return m_contactSupport; }
    QWidget* tipsPopupView() const { return m_tipsPopup; }
    QLabel* lblContactNumber() const { return m_contactNumber; }
    IMGButton* btnMenu() const { return m_menuButton; }
    QMenu* menu() const { return m_menu; }
    // Places the views again after one of them changed its size or visibility.
    void relayout();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    MouseDownView* m_dragArea = nullptr;
    QLabel* m_title = nullptr;
    QWidget* m_contactSupport = nullptr;
    QWidget* m_tipsPopup = nullptr;
    QLabel* m_contactNumber = nullptr;
    IMGButton* m_menuButton = nullptr;
    QMenu* m_menu = nullptr;
};

#pragma once

#include "controls/TitleBarAppearance.h"

#include <QPointF>
#include <QWidget>

class VLAppStoreWindow;

// The default title bar: a vertical gradient with rounded top corners, a baseline separator, a fine grain
// and, when the window shows its title, the title. Dragging it moves the window; a double click minimises it.
class VLTitlebarView : public QWidget {
    Q_OBJECT
  public:
    explicit VLTitlebarView(QWidget* parent = nullptr);

    // The title's rectangle in the view and the look it is drawn with.
    struct TitleLook {
        QRectF frame;
        QFont font;
        QColor color;
        TitleTextShadow shadow;
    };
    TitleLook titleLook(const QString& title) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    VLAppStoreWindow* appStoreWindow() const;
    bool drawsAsMain() const;
    void drawBackground(QPainter& painter, bool asMain, bool fullScreen);
    void drawNoise(QPainter& painter, qreal opacity);

    QPointF m_pressPosition;
    bool m_pressed = false;
    bool m_doubleClicked = false;
};

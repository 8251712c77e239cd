#pragma once

#include "controls/AttachedWindowGeometry.h"
#include "controls/AttachedWindowSide.h"

#include <QBrush>
#include <QColor>
#include <QPointer>
#include <QWidget>

// A borderless floating popup that shows one view in a filled, optionally bordered box with rounded
// corners and an optional arrow whose tip points at a point of its parent window. It is placed when created
// and again whenever its look changes: on the side asked for, or across from what opened it when it fits
// better there, and moved along its arrow's edge into the screen and, where it fits, its window, the arrow
// still on the point. Where the display does not composite, its shape is cut to the box and arrow so that nothing
// around them shows black. The owner shows it, and to close it hides and deletes it; the view then goes back
// to the parent it had before (or goes with the popup when it had none).
class MAAttachedWindow : public QWidget {
    Q_OBJECT
  public:
    // point: in parentWindow's coordinates, or in screen coordinates without a parent window. side: an
    // AttachedWindowSide; automatic placement is resolved here. No view gives no popup.
    static MAAttachedWindow* create(QWidget* view, const QPointF& point, QWidget* parentWindow, int side,
                                    float distance);
    ~MAAttachedWindow() override;

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color);
    QColor windowBackgroundColor() const { return m_background.color(); }
    void setBackgroundColor(const QColor& color);
    void setBackgroundImage(const QImage& image);
    float borderWidth() const { return m_look.borderWidth; }
    void setBorderWidth(float width);
    float viewMargin() const { return m_look.viewMargin; }
    void setViewMargin(float margin);
    float cornerRadius() const { return m_look.cornerRadius; }
    void setCornerRadius(float radius);
    float arrowBaseWidth() const { return m_look.arrowBaseWidth; }
    void setArrowBaseWidth(float width);
    float arrowHeight() const { return m_look.arrowHeight; }
    void setArrowHeight(float height);
    // Numbers as the screens pass them: the integer part decides (0 is off).
    float hasArrow() const { return m_look.hasArrow ? 1.0f : 0.0f; }
    void setHasArrow(float on);
    float drawsRoundCornerBesideArrow() const { return m_look.drawsRoundCornerBesideArrow ? 1.0f : 0.0f; }
    void setDrawsRoundCornerBesideArrow(float on);
    // Takes effect the next time the popup is shown.
    void setHasShadow(bool on);
    // The control that opened the popup, in its parent window's coordinates: the popup moves across to its
    // other side, not over it. None: the point alone.
    void setOpenerFrame(const QRectF& frame);
    // Where the popup belongs when it fits there, in the same coordinates (a part of the window).
    // None: the whole parent window.
    void setPreferredArea(const QRectF& area);

    // The scrolled form a control sits in, as it shows in the control's window (its scroll bar included);
    // none outside a scroll area. A popup that belongs to the form keeps to it where it fits.
    static QRectF formAreaAround(const QWidget* control);

    int side() const { return m_side; }
    QWidget* view() const { return m_view; }
    QRectF viewFrame() const { return m_viewFrame; }
    // The arrow's tip along its edge (see AttachedWindowGeometry::Placement).
    double arrowAt() const { return m_arrowAt; }

    // The scale factor applied to the stored lengths (logical points already are device independent).
    static constexpr double kScale = 1.0;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* parentWindow, int side, float distance);
    void updateGeometryPass();
    void updateShape();
    void redisplay();
    QPointF screenPoint() const;
    // A rectangle in the point's coordinates, y-up on the screen.
    QRectF screenRect(const QRectF& rect) const;
    // The box's outline in the popup's coordinates, as painted.
    QPainterPath backgroundPath() const;

    QColor m_borderColor = Qt::white;
    QBrush m_background;
    AttachedWindowGeometry::Look m_look;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_viewHome;
    QPointer<QWidget> m_parentWindow;
    QPointF m_point;
    QRectF m_openerFrame;
    QRectF m_preferredArea;
    int m_requestedSide;
    int m_side;
    float m_distance;
    QRectF m_viewFrame;
    QSizeF m_windowSize;
    double m_arrowAt = 0;
    bool m_shaped = false;
    bool m_resizing = false;
};

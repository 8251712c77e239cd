#pragma once

#include "controls/AttachedWindowGeometry.h"
#include "controls/AttachedWindowSide.h"

#include <QBrush>
#include <QColor>
#include <QPointer>
#include <QWidget>

// A borderless floating popup that shows one view in a filled, optionally bordered box with rounded
// corners and an optional arrow whose tip points at a point of its parent window. It is placed once when
// created and again whenever its look changes. The owner shows it, and to close it hides and deletes it;
// the view then goes back to the parent it had before (or goes with the popup when it had none).
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

    int side() const { return m_side; }
    QWidget* view() const { return m_view; }
    QRectF viewFrame() const { return m_viewFrame; }

    // The scale factor applied to the stored lengths (logical points already are device independent).
    static constexpr double kScale = 1.0;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    MAAttachedWindow(QWidget* view, const QPointF& point, QWidget* parentWindow, int side, float distance);
    int automaticSide() const;
    void updateGeometryPass();
    void redisplay();
    QPointF screenPoint() const;
    // The box's outline in the popup's coordinates, as painted.
    QPainterPath backgroundPath() const;

    QColor m_borderColor = Qt::white;
    QBrush m_background;
    AttachedWindowGeometry::Look m_look;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_viewHome;
    QPointer<QWidget> m_parentWindow;
    QPointF m_point;
    int m_side;
    float m_distance;
    QRectF m_viewFrame;
    QSizeF m_windowSize;
    bool m_resizing = false;
};

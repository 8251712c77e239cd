#pragma once

#include <QColor>
#include <QMetaObject>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>

#include "controls/MAAttachedWindow.h"

class OutsideClickWatch;
class QWidget;

// One attached popup of the editing screen: a view shown in an MAAttachedWindow next to a point of a window,
// closed by a click anywhere outside it (and outside the popups above it), by Escape or by its owner. Only one filter
// watches the clicks, installed while the popup is open and removed on every way it closes. The view is
// lent: it goes back to its parent when the popup closes, and dies with the popup when that parent is gone.
class AttachedPopup : public QObject {
    Q_OBJECT
  public:
    struct Look {
        QColor background = QColor::fromRgbF(230 / 255.0, 230 / 255.0, 230 / 255.0, 1.0);
        bool arrow = true;
        float cornerRadius = -1;  // below 0: the window's own
        int side = 12;            // AttachedWindowSide
        float distance = 5;
        // In the parent window's coordinates: what opened the popup, which it never covers, and where it
        // belongs when it fits there (none: the whole window).
        QRectF opener;
        QRectF area;
    };

    explicit AttachedPopup(QObject* parent = nullptr);
    ~AttachedPopup() override;

    // Shows view next to point (in parentWindow's coordinates), replacing what this popup showed.
    void open(QWidget* view, const QPointF& point, QWidget* parentWindow, const Look& look);
    void close();
    // Closes without sending the view back: for owners on their way out, whose view goes with them.
    void discard();
    bool isOpen() const { return m_window != nullptr; }
    MAAttachedWindow* window() const { return m_window; }
    // A popup opened over this one: clicks inside it do not close this one.
    void setChild(AttachedPopup* child) { m_child = child; }

  signals:
    void closed();

  private:
    bool contains(const QPointF& globalPoint) const;
    void forget();

    QPointer<MAAttachedWindow> m_window;
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_home;
    bool m_homeDying = false;
    QMetaObject::Connection m_homeWatch;
    QMetaObject::Connection m_windowWatch;
    QPointer<AttachedPopup> m_child;
    OutsideClickWatch* m_clicks = nullptr;
};

#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRectF>

#include "controls/MAAttachedWindow.h"
#include "controls/OutsideClickWatch.h"

// A panel of controls (the date rule panel) shown in an arrowed popup window beside a point of its host. A
// press anywhere outside it closes it and still reaches its target; presses inside it, in the lists and
// calendars its controls open included, do not. Escape closes it too. One application-wide filter watches
// for both, installed when the panel opens and removed however it closes.
class AttachedPanel : public QObject {
    Q_OBJECT
  public:
    // host: the view whose coordinates points are given in.
    explicit AttachedPanel(QWidget* host);
    ~AttachedPanel() override;

    // Closes what is open, then shows view beside point (host coordinates), placed automatically, never over
    // opener and, where it fits, inside area (host coordinates too; none: the whole window).
    void open(QWidget* view, const QPointF& point, float distance, const QRectF& opener = {}, const QRectF& area = {});
    // Nothing when closed.
    void close();
    bool isOpen() const { return !m_window.isNull(); }
    MAAttachedWindow* window() const { return m_window.data(); }
    bool isWatchingClicks() const { return m_clicks->isWatching(); }

  signals:
    // Closed, by close() or by a press outside.
    void closed();
    // A press outside or Escape closed it.
    void dismissed();

  private:
    bool isInside(const QWidget* widget) const;

    QWidget* m_host;
    QPointer<MAAttachedWindow> m_window;
    OutsideClickWatch* m_clicks = nullptr;
};

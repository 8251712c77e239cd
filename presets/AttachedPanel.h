#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QPointer>

#include "controls/MAAttachedWindow.h"
#include "controls/OutsideClickWatch.h"

// A panel of controls (the date rule panel) shown in an arrowed popup window beside a point of its host. A
// press anywhere outside it closes it and still reaches its target; presses inside it, in the lists and
// calendars its controls open included, do not. One application-wide filter watches for such presses,
// installed when the panel opens and removed however it closes.
class AttachedPanel : public QObject {
    Q_OBJECT
  public:
    // host: the view whose coordinates points are given in.
    explicit AttachedPanel(QWidget* host);
    ~AttachedPanel() override;

    // Closes what is open, then shows view beside point (host coordinates), placed automatically.
    void open(QWidget* view, const QPointF& point, float distance);
    // Nothing when closed.
    void close();
    bool isOpen() const { return !m_window.isNull(); }
    MAAttachedWindow* window() const { return m_window.data(); }
    bool isWatchingClicks() const { return m_clicks->isWatching(); }

  signals:
    // Closed, by close() or by a press outside.
    void closed();
    // A press outside closed it.
    void dismissed();

  private:
    bool isInside(const QWidget* widget) const;

    QWidget* m_host;
    QPointer<MAAttachedWindow> m_window;
    OutsideClickWatch* m_clicks = nullptr;
};

#pragma once

#include <QPointF>

// Numbers the presses of a click series (1 single, 2 double, 3 triple, ...). The toolkit itself only tells
// a double click apart, so a press that follows a double click closely enough continues the series.
class ClickCounter {
  public:
    // intervalMs: the longest pause between presses of one series; slop: how far the pointer may move.
    explicit ClickCounter(int intervalMs = 400, qreal slop = 4.0);

    // timestampMs: the event's time; toolkitDoubleClick: the toolkit reported this press as a double click.
    int press(unsigned long timestampMs, const QPointF& position, bool toolkitDoubleClick);

    int intervalMs() const { return m_intervalMs; }

  private:
    int m_intervalMs;
    qreal m_slop;
    int m_count = 0;
    unsigned long m_lastTime = 0;
    QPointF m_lastPosition;
};

#include "controls/ClickCounter.h"

#include <QLineF>

ClickCounter::ClickCounter(int intervalMs, qreal slop) : m_intervalMs(intervalMs), m_slop(slop) {}

int ClickCounter::press(unsigned long timestampMs, const QPointF& position, bool toolkitDoubleClick) {
    const bool continues = m_count > 0 && timestampMs >= m_lastTime &&
                           timestampMs - m_lastTime <= static_cast<unsigned long>(m_intervalMs) &&
                           QLineF(position, m_lastPosition).length() <= m_slop;
    if (toolkitDoubleClick) {
        m_count = continues && m_count >= 2 ? m_count + 1 : 2;
    } else {
        m_count = continues && m_count >= 2 ? m_count + 1 : 1;
    }
    m_lastTime = timestampMs;
    m_lastPosition = position;
    return m_count;
}

#include "controls/ANKnobAnimation.h"

#include "controls/ANSegmentedControl.h"
#include "controls/SegmentGeometry.h"

ANKnobAnimation::ANKnobAnimation(int start, int end, ANSegmentedControl* delegate)
    : m_start(start), m_range(end - start), m_delegate(delegate) {
    // The value is the eased progress from 0 to 1.
    setStartValue(0.0);
    setEndValue(1.0);
}

void ANKnobAnimation::updateCurrentValue(const QVariant& value) {
    if (m_delegate) m_delegate->setPosition(SegmentGeometry::positionAt(m_start, m_range, value.toDouble()));
}

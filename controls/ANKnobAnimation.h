#pragma once

#include <QPointer>
#include <QVariantAnimation>

class ANSegmentedControl;

// One slide of the segmented control's knob, from a start position over a range. Each step hands the new
// knob position to the control, which redraws at once.
class ANKnobAnimation : public QVariantAnimation {
    Q_OBJECT
  public:
    ANKnobAnimation(int start, int end, ANSegmentedControl* delegate);

    int start() const { return m_start; }
    int range() const { return m_range; }

  protected:
    void updateCurrentValue(const QVariant& value) override;

  private:
    int m_start;
    int m_range;
    QPointer<ANSegmentedControl> m_delegate;
};

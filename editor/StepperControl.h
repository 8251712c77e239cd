#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrows that step a whole number up or down within a range; the number itself is shown
// by the field beside it.
class StepperControl : public QWidget {
    Q_OBJECT
  public:
    explicit StepperControl(int tag, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    int value() const { return m_value; }
    // Clamped to the range; reports nothing.
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);
    void stepBy(int steps);

  signals:
    // The user stepped the value.
    void valueChanged(int value);

  private:
    int m_tag;
    int m_value = 0;
    int m_minimum = -9999;
    int m_maximum = 9999;
    QToolButton* m_up;
    QToolButton* m_down;
};

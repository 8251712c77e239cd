#pragma once

#include <QScrollBar>

// A thin overlay scroller whose track and knob colours are chosen by its tag: 101 a translucent white knob
// on a translucent dark track, 102 a white knob on a transparent track, any other tag a grey knob on white.
// The knob is drawn rounded, 2 points inside its part of the scroller.
class CustomScroll : public QScrollBar {
    Q_OBJECT
  public:
    explicit CustomScroll(Qt::Orientation orientation, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_tag = 0;
};

#pragma once

#include <QColor>
#include <QScrollBar>

// A thin overlay scroller whose track and knob colours are chosen by its tag: 101 a translucent white knob
// on a translucent dark track, 102 a white knob on a transparent track, any other tag a grey knob on white.
class CustomScroll : public QScrollBar {
    Q_OBJECT
public:
    explicit CustomScroll(Qt::Orientation orientation, QWidget* parent = nullptr);

    int tag() const { return m_tag; }
    void setTag(int tag);

    static QColor trackColor(int tag);
    static QColor knobColor(int tag);
    // The knob as drawn: its part of the scroller inset by 2 points on every side.
    static QRectF knobDrawRect(const QRectF& knobPart);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_tag = 0;
};

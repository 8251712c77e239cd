#pragma once

#include <QColor>
#include <QLineEdit>

// A field drawn on a rectangle of its fill colour (white unless set) with slightly rounded corners (radius 1)
// outlined 2 points wide in its border colour (none: no visible outline). Setting a colour does not redraw by
// itself.
class BackgroundTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit BackgroundTextField(QWidget* parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color) { m_borderColor = color; }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_borderColor;
    QColor m_fillColor = Qt::white;
};

#pragma once

#include <QColor>
#include <QLineEdit>

// A field drawn on a white rectangle with slightly rounded corners (radius 1) outlined 2 points wide in
// its border colour (none: no visible outline). Setting the colour does not redraw by itself.
class BackgroundTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit BackgroundTextField(QWidget* parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color) { m_borderColor = color; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_borderColor;
};

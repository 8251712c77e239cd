#pragma once

#include <QColor>
#include <QPushButton>

// A push button filled with a background colour and with its title, centred, in a text colour. Without
// either colour it looks like a plain button.
class Color : public QPushButton {
    Q_OBJECT
  public:
    explicit Color(QWidget* parent = nullptr);

    QColor BGColor() const { return m_bgColor; }
    void setBGColor(const QColor& color);
    QColor TextColor() const { return m_textColor; }
    void setTextColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_bgColor;
    QColor m_textColor;
};

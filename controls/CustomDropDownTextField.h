#pragma once

#include <QColor>
#include <QLineEdit>

// The field of a dropdown: a white rounded box (radius 10) under the field's text. The border colour is
// kept for the screens but not drawn.
class CustomDropDownTextField : public QLineEdit {
    Q_OBJECT
  public:
    explicit CustomDropDownTextField(QWidget* parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_borderColor;
};

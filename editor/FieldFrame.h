#pragma once

#include <QColor>
#include <QFrame>

// The white box around a multi-line field, outlined 2 points wide in its border colour (none: no visible
// outline), as the one-line fields draw themselves.
class FieldFrame : public QFrame {
    Q_OBJECT
  public:
    explicit FieldFrame(QWidget* parent = nullptr);

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_borderColor;
};

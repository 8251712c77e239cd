#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

// A button drawn as an underlined link with the pointing-hand cursor. A new link button shows its title
// white, underlined and cut at the tail when it does not fit.
class LinkButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit LinkButton(const QString& title = QString(), QWidget* parent = nullptr);

    // Blue and underlined, in the button's font.
    void setTitle(const QString& title);
    // Underlined, in the system font of that size, cut at the tail; in color, or blue without one.
    void setTitle(const QString& title, qreal fontSize, bool bold, const QColor& color);
    // Rebuilds the current title underlined and cut at the tail, in color (the plain text colour without one).
    void setTitleColor(const QColor& color);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_color;
    QFont m_font;
    bool m_truncateTail = false;
};

#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QPropertyAnimation;

// A horizontal progress bar drawn by the application: a track of nine slices and inside it a green bar
// with a soft inner light and a one-point line at its leading end. A rising value glides to its new width
// in 0.3 s; a falling value jumps.
class GRProgressIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double internalDoubleValue READ internalDoubleValue WRITE setInternalDoubleValue)
  public:
    static constexpr int kGlideMs = 300;

    explicit GRProgressIndicator(QWidget* parent = nullptr);

    double doubleValue() const { return m_doubleValue; }
    void setDoubleValue(double value);
    // Changing the range does not redraw.
    double minValue() const { return m_minValue; }
    void setMinValue(double value) { m_minValue = value; }
    double maxValue() const { return m_maxValue; }
    void setMaxValue(double value) { m_maxValue = value; }
    // The value drawn: the value itself except during a glide.
    double internalDoubleValue() const { return m_internalDoubleValue; }
    void setInternalDoubleValue(double value);

    int theme() const { return m_theme; }
    void setTheme(int theme);

    QRectF progressBarRect() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void drawProgressBar(QPainter& painter);

    int m_theme = 0;
    double m_doubleValue = 0;
    double m_minValue = 0;
    double m_maxValue = 100;
    double m_internalDoubleValue = 0;
    QPointer<QPropertyAnimation> m_glide;
};

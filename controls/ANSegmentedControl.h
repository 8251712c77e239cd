#pragma once

#include <QPointF>
#include <QWidget>

#include <functional>

class ANKnobAnimation;

// A segmented control drawn as a rounded, shaded track with one raised knob a segment wide. Clicking a
// segment or dragging the knob slides the knob there in a short blocking animation, then the control sends
// its action. It draws neither labels nor images: the screen that places it shows them by other means.
class ANSegmentedControl : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kHeight = 25;

    explicit ANSegmentedControl(int segmentCount = 2, QWidget* parent = nullptr);

    int segmentCount() const { return m_segmentCount; }
    void setSegmentCount(int count);
    int selectedSegment() const { return m_selectedSegment; }
    // Slides the knob to the segment unless it is already the selected one.
    void setSelectedSegment(int index) { setSelectedSegment(index, true); }
    void setSelectedSegment(int index, bool animate);

    // The knob's left edge.
    double location() const { return m_location; }
    void animateTo(int x);
    void setPosition(int position);
    void offsetLocationByX(float dx);

    double fastAnimationDuration() const { return m_fastAnimationDuration; }
    void setFastAnimationDuration(double seconds) { m_fastAnimationDuration = seconds; }
    double slowAnimationDuration() const { return m_slowAnimationDuration; }
    void setSlowAnimationDuration(double seconds) { m_slowAnimationDuration = seconds; }

    // Runs one slide to its end before returning. The default plays it in real time without taking user
    // input; a replacement may step it by hand.
    using SlideRunner = std::function<void(ANKnobAnimation& animation)>;
    void setSlideRunner(SlideRunner runner);
    static void runBlocking(ANKnobAnimation& animation);

    QSize sizeHint() const override;

  signals:
    // The control's action: a segment was chosen with the pointer.
    void actionTriggered();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void drawBackground(QPainter& painter, const QRectF& rect, bool key);
    void drawKnob(QPainter& painter, const QRectF& rect, bool key);

    int m_segmentCount;
    int m_selectedSegment = 0;
    double m_location = 0;
    double m_fastAnimationDuration = 0.2;
    double m_slowAnimationDuration = 0.35;
    SlideRunner m_runner;

    bool m_tracking = false;
    bool m_pressOnKnob = false;
    int m_clickIndex = 0;
    QPointF m_pressPoint;
    QPointF m_lastPoint;
};

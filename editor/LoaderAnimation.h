#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// The loader's animation: 55 frames of one spinner, each drawn at its own angle, stepped every 0.01 s.
// After the last frame the loader starts again from frame 1 (and says so, as a fresh show).
class LoaderAnimation {
  public:
    static constexpr int kFrameCount = 55;
    static constexpr int kFrameIntervalMs = 10;
    static constexpr int kFrameSize = 64;

    enum class Step { ShowFrame, Restart };

    void restart() { m_counter = 1; }
    // performLoaderAnimationWithCounter: the frame to show now (frameToShow()), or a restart once past 55.
    Step step();
    int frameToShow() const { return m_shown; }
    int counter() const { return m_counter; }

    // Frame n (1 to 55) of the spinner, centred in box.
    static void drawFrame(QPainter& painter, const QRectF& box, int frame);
    static QImage frameImage(int frame, qreal devicePixelRatio = 1.0);

  private:
    int m_counter = 1;  // loaderCounter: the next frame
    int m_shown = 0;
};

#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

class QLabel;

// vwLoading: the cover laid over the editing screen. With its box (bgForAnimator) it is the loader: the
// spinner frames and a text; without, it only keeps clicks from the screen while the screen is disabled.
class LoaderOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit LoaderOverlay(QWidget* parent = nullptr);

    void setBoxVisible(bool visible);  // bgForAnimator
    bool isBoxVisible() const;
    void setText(const QString& text);  // txtLoading
    QString text() const;
    void showFrame(int frame);  // imgLoader
    int shownFrame() const { return m_frame; }
    QWidget* box() const { return m_box; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void placeBox();

    QWidget* m_box;
    QLabel* m_frameImage;
    QLabel* m_text;
    int m_frame = 0;
    QList<QPixmap> m_frames;  // drawn once each, on first show
};

#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

// The translucent dark backing that panels such as the preset screen and the metadata popup lie on. It sits
// in the panel's container below the panel's own view, with the container's width and its height plus 20
// points, corners rounded by 5, and follows the container's size. A screen whose panel is drawn in a colour
// of its own, or is a strip over other content, gives it a look of its own.
class VisualEffectBacking : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kCornerRadius = 5;
    static constexpr int kExtraHeight = 20;

    struct Look {
        QColor fill = QColor(28, 28, 30, 235);
        int cornerRadius = kCornerRadius;
        // Square top corners, where the panel meets a title bar above it.
        bool squareTop = false;
        // Under the view alone and following it, for a panel that is a strip over other content; otherwise
        // under the whole container.
        bool underViewOnly = false;
        // The view's own corners are cut to the backing's shape. A view whose window is cut to that shape
        // already keeps its corners as they are.
        bool roundsView = true;
    };

    // Puts a backing under view inside container and shows view with its corners rounded. A view has one
    // backing however often this is called for it; that one is returned, with the look it was made with.
    static VisualEffectBacking* addVisualEffectView(QWidget* container, QWidget* view);
    static VisualEffectBacking* addVisualEffectView(QWidget* container, QWidget* view, const Look& look);

    const Look& look() const { return m_look; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    VisualEffectBacking(QWidget* container, QWidget* view, const Look& look);
    void followContainer();
    void roundView();

    QPointer<QWidget> m_view;
    Look m_look;
};

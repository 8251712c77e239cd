#pragma once

#include <QPointer>
#include <QWidget>

// The translucent dark backing that panels such as the preset screen and the metadata popup lie on. It sits
// in the panel's container below the panel's own view, with the container's width and its height plus 20
// points, corners rounded by 5, and follows the container's size.
class VisualEffectBacking : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kCornerRadius = 5;
    static constexpr int kExtraHeight = 20;

    // Puts a backing under view inside container and shows view with its corners rounded. A view has one
    // backing however often this is called for it; that one is returned.
    static VisualEffectBacking* addVisualEffectView(QWidget* container, QWidget* view);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    VisualEffectBacking(QWidget* container, QWidget* view);
    void followContainer();
    void roundView();

    QPointer<QWidget> m_view;
};

#pragma once

#include <QPointer>
#include <QWidget>

// The strip at the top of the window that holds the title-bar view and keeps it at its own size.
class VLTitlebarContainer : public QWidget {
    Q_OBJECT
  public:
    explicit VLTitlebarContainer(QWidget* parent = nullptr);

    // The view that follows the container's size (flexible width and height).
    void setFillingView(QWidget* view);
    QWidget* fillingView() const { return m_fillingView; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // Drags over the bare container do nothing of their own.
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPointer<QWidget> m_fillingView;
};

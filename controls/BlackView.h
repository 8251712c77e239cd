#pragma once

#include <QWidget>

// A translucent black backdrop (black at 80 %) behind overlays.
class BlackView : public QWidget {
    Q_OBJECT
  public:
    explicit BlackView(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

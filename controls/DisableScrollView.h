#pragma once

#include <QScrollArea>

// A scroll area whose wheel scrolling can be switched off (while a dropdown list is open over it).
class DisableScrollView : public QScrollArea {
    Q_OBJECT
  public:
    explicit DisableScrollView(QWidget* parent = nullptr);

    bool scrollingEnabled() const { return m_scrollingEnabled; }
    void setScrollingEnabled(bool on) { m_scrollingEnabled = on; }

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    bool m_scrollingEnabled = true;
};

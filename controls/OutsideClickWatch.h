#pragma once

#include <QObject>
#include <QPointF>

#include <functional>

class QWidget;

// Watches, application-wide, for what dismisses a popup while it is open: a mouse press outside it, which
// still goes on to its target, and Escape, which goes no further (of popups open over each other, the one
// opened last takes it, unless a list or calendar of Qt's own is open over them). One filter per popup, installed by
// start() and removed by stop() (and with the watch), so closing the popup any way at all leaves nothing behind.
class OutsideClickWatch : public QObject {
    Q_OBJECT
  public:
    // Whether a press on widget at the global point falls inside the popup.
    using Inside = std::function<bool(const QWidget* widget, const QPointF& globalPoint)>;

    // onOutsidePress: also for Escape.
    OutsideClickWatch(Inside inside, std::function<void()> onOutsidePress, QObject* parent = nullptr);
    ~OutsideClickWatch() override;

    void start();
    void stop();
    bool isWatching() const { return m_watching; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Inside m_inside;
    std::function<void()> m_onOutsidePress;
    bool m_watching = false;
};

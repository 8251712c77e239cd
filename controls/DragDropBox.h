#pragma once

#include <QFrame>

#include <functional>

class QMimeData;

// A box that takes files and folders dragged onto it and announces their paths to the whole application
// with the notification "FileDragDropNotification" (user info "paths": the paths as dropped). What
// happens to them is the listeners' business. Its owners switch it on and off as a drop target.
class DragDropBox : public QFrame {
    Q_OBJECT
  public:
    static const char* const kNotificationName;

    explicit DragDropBox(QWidget* parent = nullptr);

    // Accepting drags of file names, or not (while the application is busy).
    void registerForDraggedTypes();
    void unregisterDraggedTypes();

    // How the "Paste Error" alert is shown; the default is a modal message box.
    using AlertPresenter = std::function<void(const QString& title, const QString& text)>;
    void setAlertPresenter(AlertPresenter presenter);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    bool performDragOperation(const QMimeData* data);

    AlertPresenter m_alert;
};

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

namespace platform {

// The desktop around the application: web pages, files in their own applications, the file manager.
class Workspace {
  public:
    // Whether the desktop acted, on the main thread: at once, or once the desktop's opener has answered,
    // which a desktop with no application for the file or no file manager does only after the call returned.
    using Answer = std::function<void(bool acted)>;

    virtual ~Workspace() = default;

    // Opens a web page or any URL in the user's application for it; false when nothing could open it.
    virtual bool openURL(const QUrl& url) = 0;
    // Opens a file in the user's application for its type: a photo in the image viewer, a folder in the
    // file manager.
    virtual void openFile(const QString& path, Answer answer) = 0;
    // Shows the files selected in the user's file manager (or their folder when it cannot select).
    virtual void revealInFileManager(const QStringList& paths, Answer answer) = 0;
    // Our own small window with the file's name, kind, size, dates, place and permissions.
    virtual void showFileInfo(const QString& path, QWidget* parent) = 0;

    static Workspace& shared();
    static void install(Workspace* workspace);
};

// Opens a web page in the user's browser. A desktop without one would do nothing visible, so an alert over
// parent's window then says so and gives the address. Answers whether the page opened.
bool openWebPage(const QUrl& url, QWidget* parent);

// The arguments of the gdbus call that asks the desktop's file manager (org.freedesktop.FileManager1) to
// show the files selected.
QStringList fileManagerShowItemsArguments(const QStringList& paths);

}  // namespace platform

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace platform {

// The desktop around the application: web pages, files in their own applications, the file manager.
class Workspace {
  public:
    virtual ~Workspace() = default;

    // Opens a web page or any URL in the user's application for it; false when nothing could open it.
    virtual bool openURL(const QUrl& url) = 0;
    // Opens a file in the user's application for its type (a photo in the image viewer).
    virtual bool openFile(const QString& path) = 0;
    // Shows the files selected in the user's file manager (or their folder when it cannot select).
    virtual bool revealInFileManager(const QStringList& paths) = 0;
    // Our own small window with the file's name, kind, size, dates, place and permissions.
    virtual void showFileInfo(const QString& path, QWidget* parent) = 0;

    static Workspace& shared();
    static void install(Workspace* workspace);
};

// The arguments of the gdbus call that asks the desktop's file manager (org.freedesktop.FileManager1) to
// show the files selected.
QStringList fileManagerShowItemsArguments(const QStringList& paths);

}  // namespace platform

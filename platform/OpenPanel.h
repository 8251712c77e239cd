#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace platform {

// With canChooseFiles and canChooseDirectories both set, one panel chooses files and folders together.
struct OpenPanelOptions {
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
    bool canCreateDirectories = false;
    QString title;
    QString prompt;   // the text of the confirming button
    QString message;  // a line above the file list
    QString directory;
    // Files the panel offers: those with one of these extensions or, when allowsImageFiles is set, any
    // extension the type registry calls an image. Neither: every file. Folders are always shown.
    QStringList allowedExtensions;
    bool allowsImageFiles = false;
    // A check box under the file list (for example "Keep Source Folder Path"); none when empty.
    QString accessoryCheckBox;
    QString accessoryToolTip;
    bool accessoryChecked = false;
};

struct OpenPanelResult {
    bool accepted = false;
    QStringList paths;  // absolute, in the order chosen; the panel's first path first
    bool accessoryChecked = false;
};

// Lets the user choose files or folders. Screens ask the installed presenter; tests install a scripted one.
class OpenPanelPresenter {
  public:
    using Done = std::function<void(const OpenPanelResult&)>;
    virtual ~OpenPanelPresenter() = default;

    // Shows the panel as a sheet over parent's window and returns at once; done runs on the main thread.
    virtual void beginSheet(const OpenPanelOptions& options, QWidget* parent, Done done) = 0;

    static OpenPanelPresenter& shared();
    static void install(OpenPanelPresenter* presenter);
};

}  // namespace platform

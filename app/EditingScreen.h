#pragma once

#include <QStringList>

class QWidget;

// The editing screen as the shell sees it. Until one is installed the shell hands chosen photos straight
// to the application's intake, and closing the window never finds unsaved edits.
class EditingScreen {
  public:
    virtual ~EditingScreen() = default;

    // The widget shown below the main window's title bar. The main window takes it over; the screen object
    // lives as long as that widget.
    virtual QWidget* view() = 0;
    // The add-photos window's panels end here. (Dropped paths reach the screen through
    // "FileDragDropNotification", which it observes itself.)
    virtual void addPhotosFromPathUrls(const QStringList& paths, bool isiPhoto) = 0;
    // The form holds edits that no batch run has written yet.
    virtual bool isParamsChanged() const = 0;
};

#pragma once

#include <QApplication>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class AddPhotosWindow;
class QAbstractItemView;
class QFileDialog;
class QLineEdit;
class QMessageBox;

namespace wholeapp {

// The person in front of the application: clicks, keys and typing on the widgets that show, and the
// answers a person gives to alerts and file panels. Every step checks first that a person could take it
// (the widget shows and is enabled); a step that cannot be taken fails the running test with its reason.
class User {
  public:
    // Waits for the application to get somewhere (a window shows, a run ends) by running its event loop,
    // for at most timeoutMs; false (and a failure naming what) when it does not.
    static bool waitFor(const std::function<bool()>& condition, const QString& what, int timeoutMs = 30000);
    // Lets everything queued for the next turns of the event loop happen.
    static void settle();

    static void click(QWidget* widget, QPoint at = QPoint());
    static void type(QLineEdit* field, const QString& text);
    // Clicks into a field and types there, whether or not it takes typing: what a person tries on a field
    // that looks like any other. The test then looks at what the field and the form kept.
    static void tryToType(QWidget* field, const QString& text);
    static void pressEnter(QWidget* widget);
    static void clickRow(QAbstractItemView* view, int row);
    // The row of a list whose text contains text, or -1.
    static int rowContaining(QAbstractItemView* view, const QString& text);

    // The alert now showing (a message box), once it shows; nullptr after a failure.
    static QMessageBox* alert();
    // Reads the showing alert's title, optionally ticks its box, and presses the button with that title.
    static QString answerAlert(const QString& button, bool tickBox = false);

    // The file panel now showing, once it shows.
    static QFileDialog* openPanel();
    // Types path into the panel's name field and checks that the field holds it; false (the panel rejected):
    // it does not.
    static bool typePath(QFileDialog* panel, QLineEdit* nameField, const QString& path);
    // In the showing panel: goes to folder, selects the named items there and presses the confirming button.
    static void chooseInPanel(const QString& folder, const QStringList& names);
    // In the showing folder panel: types the folder's path and presses the confirming button.
    static void chooseFolderInPanel(const QString& folder);

    // The add-photos window's Add Folders, and the folder name chosen in parent, in the folder chooser it
    // opens; a screenshot of the chooser when shot names one.
    static void addFolder(AddPhotosWindow* window, const QString& parent, const QString& name,
                          const QString& shot = {});

    // The shown window of this type, or nullptr.
    template <typename T>
    static T* shownWindow() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<T*>(window); found && found->isVisible()) return found;
        }
        return nullptr;
    }

    // Saves what the screen shows (the whole X screen when there is one, else the widget's window).
    static QString screenshot(QWidget* window, const QString& name);
};

}  // namespace wholeapp

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace platform {

// One modal alert: what the user reads, the buttons, an optional "don't show again" box.
struct Alert {
    enum class Style { Warning, Informational, Critical };
    QString messageText;      // the bold first line
    QString informativeText;  // the smaller text below it
    QStringList buttons;      // left to right as the user reads them; the first is the default (Return)
    Style style = Style::Warning;
    QString suppressionText;  // non-empty: a check box with this text under the text
    int tag = 0;              // the caller's number for this alert, for logs and tests
    int escapeButton = -1;    // index of the button Escape presses; -1: Escape answers only a lone button
};

struct AlertAnswer {
    int button = -1;          // index into Alert::buttons; -1 when the alert was closed without a button
    bool suppressed = false;  // the check box was ticked
};

// Shows alerts. Screens never build dialogs themselves: they ask the installed presenter, which tests
// replace with a scripted one.
class AlertPresenter {
  public:
    using Done = std::function<void(const AlertAnswer&)>;
    virtual ~AlertPresenter() = default;

    // Shows the alert as a sheet over parent's window (over the whole application when parent is null) and
    // returns at once; done runs on the main thread with the answer.
    virtual void beginSheet(const Alert& alert, QWidget* parent, Done done) = 0;

    // The installed presenter, else the application's own. Main thread only.
    static AlertPresenter& shared();
    // nullptr goes back to the application's own; the installed one must outlive every use.
    static void install(AlertPresenter* presenter);
};

}  // namespace platform

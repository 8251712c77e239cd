#pragma once

#include <QLoggingCategory>
#include <QString>

// Diagnostic lines of the platform layer ("lumarind.platform"). Every layer has its own category; all of
// them write to standard error, which the application's entry point sends to the log file.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

namespace platform {

// The one log file of the application: Lumarind.log in the user's state folder ($XDG_STATE_HOME, by
// default ~/.local/state, + /Lumarind/). The writer and every reader of the log name it through this.
QString logFilePath();

// Gives every line its date ("yyyy-MM-dd HH:mm:ss.SSS", so lines can be picked by day) and its category,
// and leaves lines that only echo values (debug level) out unless QT_LOGGING_RULES asks for them.
void useLogLineFormat();

}  // namespace platform

#pragma once

#include <QString>

namespace platform {

// Free-text diagnostic lines on standard error; the application's entry point sends that stream to the
// log file. Safe from any thread: each line is written whole.
void log(const QString& line);

}  // namespace platform

#pragma once

#include <QLoggingCategory>

// Diagnostic lines of the application shell ("lumarind.app"). The application's message format gives each
// line its date and category, and every line reaches the log file.
Q_DECLARE_LOGGING_CATEGORY(lcApp)

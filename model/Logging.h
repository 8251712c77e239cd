#pragma once

#include <QLoggingCategory>

// Diagnostic lines of this layer ("lumarind.model"). The application's message format gives each line
// its date and category, and every line reaches the log file.
Q_DECLARE_LOGGING_CATEGORY(lcModel)

#pragma once

#include <QLoggingCategory>

// Diagnostic lines of the online services ("lumarind.online"): reachability, the support phone number,
// feedback, tracking and the promotion panel. They reach the log file like every other layer's.
Q_DECLARE_LOGGING_CATEGORY(lcOnline)

#include "intake/Logging.h"

Q_LOGGING_CATEGORY(lcIntake, "lumarind.intake")

#include "Helper/Logging.h"

Q_LOGGING_CATEGORY(lcHelper, "lumarind.helper")

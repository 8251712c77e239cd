#include "app/online/Logging.h"

Q_LOGGING_CATEGORY(lcOnline, "lumarind.online")

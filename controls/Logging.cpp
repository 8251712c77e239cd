#include "controls/Logging.h"

Q_LOGGING_CATEGORY(lcControls, "lumarind.controls")

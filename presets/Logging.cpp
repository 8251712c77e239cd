#include "presets/Logging.h"

Q_LOGGING_CATEGORY(lcPresets, "lumarind.presets")

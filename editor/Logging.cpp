#include "editor/Logging.h"

Q_LOGGING_CATEGORY(lcEditor, "lumarind.editor")

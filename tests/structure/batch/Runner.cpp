#include "batch/Runner.h"

void Runner::start() {}

#include "batch/Coordinator.h"
#include "batch/Runner.h"

void Runner::stop() {
    Coordinator::halt();
}

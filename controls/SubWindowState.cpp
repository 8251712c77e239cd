#include "controls/SubWindowState.h"

namespace {
SubWindowState* g_installed = nullptr;
}

SubWindowState& SubWindowState::shared() {
    static SubWindowState fallback;
    return g_installed ? *g_installed : fallback;
}

void SubWindowState::install(SubWindowState* state) {
    g_installed = state;
}

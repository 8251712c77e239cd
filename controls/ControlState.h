#pragma once

// The state value of a two-state button; any other value is the mixed state.
enum ControlState : int {
    ControlStateMixed = -1,
    ControlStateOff = 0,
    ControlStateOn = 1,
};

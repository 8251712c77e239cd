#pragma once

#include <optional>

namespace platform {

// Whether the display blends the see-through parts of a window with what lies under it. An X display
// without a compositing manager (a bare X session, Xvfb) shows them black, so windows that are not
// rectangles need a window shape there instead.
bool hasCompositing();

// Tests decide the answer; none asks the display again.
void setCompositingAnswer(std::optional<bool> answer);

}  // namespace platform

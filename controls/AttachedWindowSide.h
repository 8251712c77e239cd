#pragma once

// Where an attached popup lies relative to the point its arrow aims at. For the corner codes the second
// word says which way the popup grows away from the point along the arrow's edge.
enum AttachedWindowSide : int {
    AttachedLeft = 0,
    AttachedBelow = 1,
    AttachedRight = 2,
    AttachedAbove = 3,
    AttachedLeftGrowingUp = 4,
    AttachedLeftGrowingDown = 5,
    AttachedRightGrowingUp = 6,
    AttachedRightGrowingDown = 7,
    AttachedAboveGrowingLeft = 8,
    AttachedAboveGrowingRight = 9,
    AttachedBelowGrowingLeft = 10,
    AttachedBelowGrowingRight = 11,
    AttachedAutomatic = 12,
};

#include "controls/SegmentGeometry.h"

#include <gtest/gtest.h>

namespace S = SegmentGeometry;

namespace {

struct TimingRow {
    const char* name;
    double location;
    int target;
    double width;
    int segments;
    double seconds;
    bool eased;
};

void PrintTo(const TimingRow& row, std::ostream* os) {
    *os << row.name;
}

class ASlideTiming : public ::testing::TestWithParam<TimingRow> {};

TEST_P(ASlideTiming, dependsOnWhereTheKnobStarts) {
    const TimingRow& row = GetParam();
    const auto timing = S::slideTiming(row.location, row.target, row.width, row.segments, 0.2, 0.35);
    EXPECT_NEAR(timing.seconds, row.seconds, 1e-9);
    EXPECT_EQ(timing.curve.type() == QEasingCurve::Linear, !row.eased);
}

INSTANTIATE_TEST_SUITE_P(Rows, ASlideTiming,
                         ::testing::Values(TimingRow{"fromLeftEnd", 0, 100, 200, 2, 0.2, true},
                                           TimingRow{"fromRightEnd", 300, 0, 400, 4, 0.2, true},
                                           TimingRow{"oneSegmentFromMiddle", 100, 200, 400, 4, 0.35 / 3, false},
                                           TimingRow{"twoSegmentsFromMiddle", 100, 300, 400, 4, 0.35 * 2 / 3, false},
                                           TimingRow{"standStillInMiddle", 100, 100, 400, 4, 0.0, false}));

}  // namespace

TEST(ASegmentTrack, splitsTheWidthIntoEqualSegments) {
    EXPECT_EQ(S::segmentWidth(300, 3), 100);
    EXPECT_EQ(S::rightEnd(300, 3), 200.0f);
    EXPECT_EQ(S::targetFor(1, 300, 3), 100);
    EXPECT_EQ(S::targetFor(7, 300, 3), 200) << "an index beyond the last targets the right end";
    EXPECT_EQ(S::indexAt(250, 300, 3), 2);
    EXPECT_EQ(S::indexAt(99.9, 300, 3), 0);
}

TEST(ASegmentTrack, keepsADraggedKnobOnTheTrack) {
    EXPECT_EQ(S::clampLocation(-12, 300, 3), 0);
    EXPECT_EQ(S::clampLocation(260, 300, 3), 200);
    EXPECT_EQ(S::clampLocation(57, 300, 3), 57);
}

TEST(ASegmentTrack, choosesThePressedSegmentUnlessTheKnobWasDragged) {
    EXPECT_EQ(S::chosenIndex(2, QPointF(250, 5), QPointF(250, 5), 0, 300, 3), 2);
    EXPECT_EQ(S::chosenIndex(0, QPointF(50, 5), QPointF(130, 5), 140, 300, 3), 1) << "snaps to nearest";
    EXPECT_EQ(S::chosenIndex(0, QPointF(50, 5), QPointF(160, 5), 160, 300, 3), 2);
}

TEST(AKnobAnimationStep, truncatesThePosition) {
    EXPECT_EQ(S::positionAt(0, 100, 0.0), 0);
    EXPECT_EQ(S::positionAt(0, 100, 0.499), 49);
    EXPECT_EQ(S::positionAt(200, -200, 0.5), 100);
    EXPECT_EQ(S::positionAt(200, -200, 1.0), 0);
}

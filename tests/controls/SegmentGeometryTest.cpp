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
                         ::testing::Values(TimingRow{"fromRightEnd", 300, 0, 400, 4, 0.2, true},
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

TEST(AKnobAnimationStep, truncatesThePosition) {
    EXPECT_EQ(S::positionAt(0, 100, 0.0), 0);
    EXPECT_EQ(S::positionAt(0, 100, 0.499), 49);
    EXPECT_EQ(S::positionAt(200, -200, 0.5), 100);
    EXPECT_EQ(S::positionAt(200, -200, 1.0), 0);
}

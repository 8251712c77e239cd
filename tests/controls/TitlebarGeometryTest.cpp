#include "controls/TitlebarGeometry.h"

#include <gtest/gtest.h>

namespace G = TitlebarGeometry;

namespace {

struct LightsRow {
    const char* name;
    qreal barHeight;
    bool centered, vertical;
    qreal left, top, separation;
    QRectF close, minimise, zoom;
};

void PrintTo(const LightsRow& row, std::ostream* os) {
    *os << row.name;
}

class TrafficLightLayout : public ::testing::TestWithParam<LightsRow> {};

TEST_P(TrafficLightLayout, placesTheThreeButtons) {
    const LightsRow& row = GetParam();
    G::TrafficLightInput in;
    in.close = in.minimise = in.zoom = QSizeF(14, 16);
    in.centered = row.centered;
    in.vertical = row.vertical;
    in.leftMargin = row.left;
    in.topMargin = row.top;
    in.separation = row.separation;
    const auto frames = G::layoutTrafficLights(G::containerRect(QSizeF(800, 600), row.barHeight), in);
    EXPECT_EQ(frames.close, row.close);
    EXPECT_EQ(frames.minimise, row.minimise);
    EXPECT_EQ(frames.zoom, row.zoom);
}

// y is measured from the bar's top: "top margin 3" puts a button 3 points below it.
INSTANTIATE_TEST_SUITE_P(
    Rows, TrafficLightLayout,
    ::testing::Values(
        LightsRow{"mainWindowBar", 50, false, false, 7, 3, 6, {7, 3, 14, 16}, {27, 3, 14, 16}, {47, 3, 14, 16}},
        LightsRow{"centredInTallBar", 50, true, false, 3, 0, 6, {3, 17, 14, 16}, {23, 17, 14, 16}, {43, 17, 14, 16}},
        LightsRow{"centredHalfRoundsUp", 25, true, false, 3, 0, 6, {3, 4, 14, 16}, {23, 4, 14, 16}, {43, 4, 14, 16}},
        LightsRow{
            "columnCentredCloseOnTop", 100, true, true, 5, 0, 6, {5, 22, 14, 16}, {5, 42, 14, 16}, {5, 62, 14, 16}},
        LightsRow{"columnTopMargin", 100, false, true, 5, 4, 6, {5, 4, 14, 16}, {5, 24, 14, 16}, {5, 44, 14, 16}}));

}  // namespace

TEST(ATitleBarLayout, givesTheContentEverythingBelowTheBar) {
    for (qreal bar : {0.0, 22.0, 50.0, 120.0}) {
        const QRectF content = G::contentRect(QSizeF(1050, 700), bar);
        EXPECT_EQ(content, QRectF(0, bar, 1050, 700 - bar)) << bar;
    }
    EXPECT_EQ(G::contentRect(QSizeF(100, 30), 50).height(), 0) << "a bar taller than the window leaves nothing";
}

TEST(ATitleBarLayout, centresTheTitleTwoPointsBelowTheTop) {
    EXPECT_EQ(G::titleFrame(QRectF(0, 0, 400, 50), QSizeF(100, 14), false), QRectF(150, 2, 100, 14));
    EXPECT_EQ(G::titleFrame(QRectF(0, 0, 400, 50), QSizeF(100, 15), true), QRectF(150, 18, 100, 15));
}

TEST(ATitleBarLayout, roundsOnlyTheTopCorners) {
    const QPainterPath path = G::roundedTopPath(QRectF(0, 0, 100, 20), 4);
    EXPECT_FALSE(path.contains(QPointF(0.3, 0.3)));
    EXPECT_FALSE(path.contains(QPointF(99.7, 0.3)));
    EXPECT_TRUE(path.contains(QPointF(0.3, 19.7)));
    EXPECT_TRUE(path.contains(QPointF(99.7, 19.7)));
    EXPECT_TRUE(path.contains(QPointF(50, 0.5)));
}

TEST(AFramelessWindow, resizesFromTheEdgeUnderThePress) {
    const QSizeF size(300, 200);
    EXPECT_EQ(G::resizeEdgesAt(QPointF(150, 100), size, 4), Qt::Edges());
    EXPECT_EQ(G::resizeEdgesAt(QPointF(1, 100), size, 4), Qt::Edges(Qt::LeftEdge));
    EXPECT_EQ(G::resizeEdgesAt(QPointF(299, 100), size, 4), Qt::Edges(Qt::RightEdge));
    EXPECT_EQ(G::resizeEdgesAt(QPointF(299, 199), size, 4), Qt::Edges(Qt::RightEdge | Qt::BottomEdge));
    EXPECT_EQ(G::resizeEdgesAt(QPointF(2, 2), size, 4), Qt::Edges(Qt::LeftEdge | Qt::TopEdge));
    EXPECT_EQ(G::resizeEdgesAt(QPointF(-5, 100), size, 4), Qt::Edges());
}

#include "controls/AttachedWindowGeometry.h"

#include <gtest/gtest.h>

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace G = AttachedWindowGeometry;

namespace {

// A 100 × 50 view with the default look, aimed at (500, 400) from 5 points away (y up).
const QSizeF kView(100, 50);
const QPointF kPoint(500, 400);
constexpr float kDistance = 5;

struct SideRow {
    int side;
    QPointF origin;
    QSizeF window;
    QPointF viewOrigin;
    QPointF tip;  // where the arrow's tip should land, facing the point
};

void PrintTo(const SideRow& row, std::ostream* os) {
    *os << "side " << row.side;
}

// The extreme point of the outline on the arrow's side.
QPointF arrowTip(const QPainterPath& path, G::Edge edge) {
    QPointF best = path.elementAt(0);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPointF p = path.elementAt(i);
        const bool better = (edge == G::Edge::Top && p.y() > best.y()) ||
                            (edge == G::Edge::Bottom && p.y() < best.y()) ||
                            (edge == G::Edge::Right && p.x() > best.x()) || (edge == G::Edge::Left && p.x() < best.x());
        if (better) best = p;
    }
    return best;
}

class AnAttachedPopupSide : public ::testing::TestWithParam<SideRow> {};

TEST_P(AnAttachedPopupSide, placesTheBoxAndAimsTheArrowAtThePoint) {
    const SideRow& row = GetParam();
    const G::Look look;
    const G::Layout layout = G::layout(kView, look.viewMargin, look.arrowHeight, row.side);
    EXPECT_EQ(layout.windowSize, row.window);
    EXPECT_EQ(layout.viewFrame.topLeft(), row.viewOrigin);
    EXPECT_EQ(layout.viewFrame.size(), kView);

    const float inset = G::arrowInset(look.arrowBaseWidth, look.cornerRadius, look.drawsRoundCornerBesideArrow);
    const QPointF origin = G::windowOrigin(kPoint, layout.windowSize, row.side, kDistance, inset);
    EXPECT_EQ(origin, row.origin);

    const QPointF tip = origin + arrowTip(G::outlinePath(layout.viewFrame, look, row.side), G::arrowEdge(row.side));
    // Pixel snapping of the outline may leave the tip one point nearer the box.
    EXPECT_NEAR(tip.x(), row.tip.x(), 1.0);
    EXPECT_NEAR(tip.y(), row.tip.y(), 1.0);
}

const QSizeF kWide(120, 54), kTall(104, 70);
const QPointF kLeftTip(495, 400), kRightTip(505, 400), kBelowTip(500, 395), kAboveTip(500, 405);

INSTANTIATE_TEST_SUITE_P(
    AllTwelve, AnAttachedPopupSide,
    ::testing::Values(
        SideRow{0, {375, 373}, kWide, {2, 2}, kLeftTip}, SideRow{1, {448, 325}, kTall, {2, 2}, kBelowTip},
        SideRow{2, {505, 373}, kWide, {18, 2}, kRightTip}, SideRow{3, {448, 405}, kTall, {2, 18}, kAboveTip},
        SideRow{4, {375, 382}, kWide, {2, 2}, kLeftTip}, SideRow{5, {375, 364}, kWide, {2, 2}, kLeftTip},
        SideRow{6, {505, 382}, kWide, {18, 2}, kRightTip}, SideRow{7, {505, 364}, kWide, {18, 2}, kRightTip},
        SideRow{8, {414, 405}, kTall, {2, 18}, kAboveTip}, SideRow{9, {482, 405}, kTall, {2, 18}, kAboveTip},
        SideRow{10, {414, 325}, kTall, {2, 2}, kBelowTip}, SideRow{11, {482, 325}, kTall, {2, 2}, kBelowTip}));

struct AutoRow {
    const char* name;
    QPointF point;
    QRectF screen;  // y up: x, bottom, width, height
    QRectF parent;
    int side;
};

void PrintTo(const AutoRow& row, std::ostream* os) {
    *os << row.name;
}

class AutomaticPlacement : public ::testing::TestWithParam<AutoRow> {};

TEST_P(AutomaticPlacement, picksTheFirstSideThatFits) {
    const AutoRow& row = GetParam();
    EXPECT_EQ(G::bestSide(row.point, kView, G::Look(), kDistance, row.screen, row.parent), row.side);
}

const QRectF kScreen(0, 0, 1920, 1080), kParent(100, 100, 1000, 800);

INSTANTIATE_TEST_SUITE_P(
    Rows, AutomaticPlacement,
    ::testing::Values(AutoRow{"belowWithRoom", {500, 500}, kScreen, kParent, 1},
                      AutoRow{"rightGrowingUpNearTheBottom", {500, 60}, kScreen, kParent, 6},
                      AutoRow{"leftGrowingUpInTheCorner", {1900, 60}, kScreen, kParent, 4},
                      AutoRow{"rightGrowingDownNearTheParentTop", {500, 60}, kScreen, QRectF(100, 0, 1000, 80), 7},
                      AutoRow{"rightStaysCentredWithoutScreenRoom", {500, 60}, QRectF(0, 0, 1920, 90), kParent, 2},
                      AutoRow{"aboveOnANarrowScreen", {100, 50}, QRectF(0, 0, 200, 1080), QRectF(0, 0, 200, 1080), 3},
                      AutoRow{"belowWhenNothingFits", {100, 50}, QRectF(0, 0, 200, 100), QRectF(0, 0, 200, 100), 1},
                      AutoRow{"belowGrowingRightAtTheParentsLeftEdge", {120, 500}, kScreen, kParent, 11},
                      AutoRow{"belowGrowingLeftAtTheParentsRightEdge", {1080, 500}, kScreen, kParent, 10}));

// Where the popups of the application land on a 1600 × 1000 screen, from a window of 1050 × 700 at
// (275, 150) whose form (right of the photo list) spans (665, 170) to (1325, 780); y up throughout.
const QRectF kFullScreen(0, 0, 1600, 1000), kWindow(275, 150, 1050, 700), kForm(665, 170, 660, 610);

// The looks of the application's popups: the menus, the lists (no arrow) and the date panels (the default).
enum class Kind { Menu, List, Panel };

G::Request request(const QPointF& point, const QSizeF& view, Kind kind, int side, const QRectF& opener = {},
                   const QRectF& preferred = {}, const QRectF& window = kWindow) {
    G::Request r;
    r.point = point;
    r.opener = opener;
    r.viewSize = view;
    if (kind != Kind::Panel) r.look.cornerRadius = kind == Kind::Menu ? 5 : 0;
    if (kind != Kind::Panel) r.look.arrowHeight = kind == Kind::Menu ? 10 : 0;
    r.look.hasArrow = kind != Kind::List;
    r.side = side;
    r.distance = kind == Kind::Panel ? 5 : 0;
    r.screenArea = kFullScreen;
    r.windowArea = window;
    r.preferredArea = preferred;
    return r;
}

double distanceTo(const QRectF& rect, const QPointF& point) {
    const double dx = std::max({rect.left() - point.x(), 0.0, point.x() - rect.right()});
    const double dy = std::max({rect.top() - point.y(), 0.0, point.y() - rect.bottom()});
    return std::hypot(dx, dy);
}

TEST(APlacedPopup, pointsAtWhatOpenedItAndStaysInsideTheScreenAndWhereItFitsTheWindow) {
    const struct {
        const char* name;
        G::Request request;
        int side;
        bool insideWindow;  // else inside the screen only
        bool insidePreferred = true;
        std::optional<QPointF> origin = {};
    } rows[] = {
        {"photoMenuBesideTheMoreButton", request({648, 700}, {150, 193}, Kind::Menu, 5), 5, true},
        {"photoMenuOfTheLowestRowRisesIntoTheWindow", request({648, 180}, {150, 193}, Kind::Menu, 5), 5, true},
        {"photoMenuOfARightClickBesideThePointer", request({400, 400}, {150, 193}, Kind::Menu, 7), 7, true},
        {"presetsListHangsInsideTheWindowsRightEdge",
         request({1290, 810}, {200, 96}, Kind::Menu, 1, {1260, 810, 60, 24}), 1, true},
        {"addMenuGrowsDownIntoTheWindow", request({380, 828}, {170, 96}, Kind::Menu, 6, {330, 816, 50, 24}), 6, true},
        {"datePanelOfALowLeftDateGoesAboveItsField",
         request({980, 320}, {566, 290}, Kind::Panel, 12, {690, 320, 300, 24}, kForm), 3, true},
        {"datePanelOfAHighDateHangsBelowIt",
         request({980, 730}, {566, 290}, Kind::Panel, 12, {690, 730, 300, 24}, kForm), 1, true},
        {"datePanelWiderThanTheFormCoversItAndNoMore",
         request({980, 320}, {700, 290}, Kind::Panel, 12, {690, 320, 300, 24}, kForm), 3, true, false},
        {"listNearTheWindowsBottomOpensAboveItsField",
         request({800, 200}, {298, 186}, Kind::List, 1, {650, 200, 300, 24}), 3, true},
        {"listWiderThanTheWindowKeepsToTheScreen", request({800, 500}, {1200, 96}, Kind::List, 1), 1, false},
        {"arrowKeepsToItsPointAtTheWindowsEdge", request({1322, 600}, {200, 96}, Kind::Menu, 1), 1, false},
        // A window dragged up past the screen's top and right edges: only what of the window and of its form is on
        // the screen counts, and the panel hangs below its date over as much of the form there as it can.
        {"datePanelInAWindowPastTheScreensCorner",
         request({1330, 760}, {566, 290}, Kind::Panel, 12, {1040, 760, 300, 24}, kForm.translated(350, 280),
                 kWindow.translated(350, 280)),
         10, true, false, QPointF(1015, 445)},
        // An area wholly off the screen counts for nothing: the list keeps to the window, centred on its field.
        {"listBesideAnAreaWhollyPastTheScreensBottom",
         request({800, 100}, {298, 186}, Kind::List, 1, {650, 100, 300, 24}, {665, -280, 660, 260},
                 kWindow.translated(0, -450)),
         3, true, true, QPointF(649, 124)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const G::Request& r = row.request;
        const G::Placement p = G::place(r);
        EXPECT_EQ(p.side, row.side);
        const QRectF frame(p.origin, p.layout.windowSize);
        if (row.origin) {
            EXPECT_EQ(p.origin, *row.origin);
        }
        // Of the window and the area, only the parts on the screen.
        const QRectF window = r.windowArea.intersected(r.screenArea);
        const QRectF preferred = r.preferredArea.intersected(window);
        EXPECT_TRUE(r.screenArea.contains(frame)) << "on the screen";
        EXPECT_EQ(window.contains(frame), row.insideWindow) << "over the window";
        if (preferred.isValid()) {
            EXPECT_EQ(preferred.contains(frame), row.insidePreferred) << "over its area";
        }
        if (!row.insidePreferred && frame.width() > preferred.width()) {
            EXPECT_TRUE(frame.left() <= preferred.left() && frame.right() >= preferred.right())
                << "too wide for its area, it covers the area and reaches no further than it must";
            EXPECT_TRUE(frame.left() == preferred.left() || frame.right() == preferred.right());
        }
        const double m = r.look.viewMargin;
        const QRectF box = p.layout.viewFrame.adjusted(-m, -m, m, m).translated(p.origin);
        if (r.opener.isValid()) {
            EXPECT_FALSE(box.intersects(r.opener)) << "clear of its opener";
        }
        if (r.look.hasArrow) {
            const QPainterPath outline = G::outlinePath(p.layout.viewFrame, r.look, p.side, r.s, p.arrowAt);
            const QPointF tip = p.origin + arrowTip(outline, G::arrowEdge(p.side));
            // The tip faces the point, or its opener, from its distance (pixel snapping may leave it a point nearer
            // the box).
            const double away = r.opener.isValid() ? distanceTo(r.opener, tip) : QLineF(tip, r.point).length();
            EXPECT_LE(away, r.distance + 1.5) << "tip at " << tip.x() << ", " << tip.y();
        }
    }
}

}  // namespace

TEST(AnAttachedPopupLook, clampsItsLengths) {
    EXPECT_EQ(G::clampBorderWidth(5, 2), 2) << "a border wider than the margin gives the margin";
    EXPECT_EQ(G::clampViewMargin(-3), 0);
    EXPECT_EQ(G::clampCornerRadius(100, 2, 100, 50, 20), 17) << "half the free side";
    EXPECT_EQ(G::clampCornerRadius(-4, 2, 100, 50, 20), 0);
    EXPECT_EQ(G::clampArrowBaseWidth(20, 2, 100, 50, 8, true), 20);
    EXPECT_EQ(G::clampArrowBaseWidth(60, 2, 100, 50, 8, false), 46);
}

TEST(AnAttachedPopupLook, neverGivesANegativeArrowBaseForASmallView) {
    EXPECT_EQ(G::clampArrowBaseWidth(20, 0, 10, 5, 8, true), 0);
    EXPECT_EQ(G::clampArrowBaseWidth(20, 0, 0, 0, 0, false), 0);
}

TEST(AnAttachedPopupLook, keepsTheArrowsRoomWithoutAnArrow) {
    G::Look look;
    look.hasArrow = false;
    const G::Layout layout = G::layout(kView, look.viewMargin, look.arrowHeight, 1);
    EXPECT_EQ(layout.windowSize, QSizeF(104, 70));
    const QRectF outline = G::outlinePath(layout.viewFrame, look, 1).boundingRect();
    EXPECT_LE(outline.bottom(), 54) << "the box alone, no arrow drawn above it";
    const QPointF origin = G::windowOrigin(kPoint, layout.windowSize, 1, kDistance, 0);
    EXPECT_EQ(kPoint.y() - (origin.y() + 54), 16 + kDistance);
}

TEST(AnAttachedPopupLook, drawsASquareCornerBesideACornerArrowWhenAsked) {
    G::Look look;
    look.drawsRoundCornerBesideArrow = false;
    const G::Layout layout = G::layout(kView, look.viewMargin, look.arrowHeight, 11);
    const QPainterPath path = G::outlinePath(layout.viewFrame, look, 11);
    const QPointF start = path.elementAt(0);
    EXPECT_EQ(start, QPointF(1, 53)) << "the top-left corner point itself";
    EXPECT_EQ(QPointF(path.elementAt(1)), QPointF(11, 69)) << "the arrow starts at that corner";
}

#include "controls/MAAttachedWindow.h"
#include "platform/Compositing.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ParentWindow {
    QWidget window;
    ParentWindow() {
        window.setGeometry(200, 150, 800, 600);
        window.show();
    }
};

QWidget* makeView(QWidget* home = nullptr) {
    auto* view = new QWidget(home);
    view->resize(100, 50);
    return view;
}

}  // namespace

TEST(AnAttachedPopup, isNotMadeWithoutAView) {
    EXPECT_EQ(MAAttachedWindow::create(nullptr, QPointF(10, 10), nullptr, 1, 0), nullptr);
}

TEST(AnAttachedPopup, hangsBelowItsPointInTheParentWindow) {
    ParentWindow parent;
    std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(makeView(), {400, 300}, &parent.window, 1, 5));
    const QPoint point = parent.window.mapToGlobal(QPoint(400, 300));
    EXPECT_EQ(popup->geometry(), QRect(point.x() - 52, point.y() + 5, 104, 70));
    EXPECT_EQ(popup->view()->geometry(), QRect(2, 18, 100, 50)) << "the arrow's room is above the view";
}

TEST(AnAttachedPopup, showsJustTheViewWithoutMarginBorderAndArrow) {
    ParentWindow parent;
    std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(makeView(), {400, 300}, &parent.window, 1, 5));
    popup->setHasArrow(0.0f);
    popup->setCornerRadius(0);
    popup->setArrowBaseWidth(0);
    popup->setArrowHeight(0);
    popup->setBorderWidth(0);
    popup->setViewMargin(0);
    EXPECT_EQ(popup->size(), QSize(100, 50));
    EXPECT_EQ(popup->view()->geometry(), QRect(0, 0, 100, 50));
    const QPoint point = parent.window.mapToGlobal(QPoint(400, 300));
    EXPECT_EQ(popup->geometry().topLeft(), QPoint(point.x() - 50, point.y() + 5));
}

TEST(AnAttachedPopup, clampsItsLookThroughItsSetters) {
    ParentWindow parent;
    std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(makeView(), {400, 300}, &parent.window, 1, 0));
    popup->setBorderWidth(9);
    EXPECT_EQ(popup->borderWidth(), 2.0f);
    popup->setViewMargin(-4);
    EXPECT_EQ(popup->viewMargin(), 0.0f);
    popup->setCornerRadius(500);
    EXPECT_EQ(popup->cornerRadius(), 15.0f);  // (0 + 50 − 20) / 2
    popup->setHasArrow(0.7f);
    EXPECT_EQ(popup->hasArrow(), 0.0f) << "only the integer part counts";
}

TEST(AnAttachedPopup, resolvesAutomaticPlacementAtCreation) {
    ParentWindow parent;
    std::unique_ptr<MAAttachedWindow> popup(
        MAAttachedWindow::create(makeView(), {400, 300}, &parent.window, AttachedAutomatic, 5));
    EXPECT_GE(popup->side(), 0);
    EXPECT_LE(popup->side(), 11);
}

TEST(AnAttachedPopup, givesTheViewBackToItsScreenWhenClosed) {
    ParentWindow parent;
    QWidget home;
    QPointer<QWidget> view = makeView(&home);
    auto* popup = MAAttachedWindow::create(view, {400, 300}, &parent.window, 1, 0);
    EXPECT_EQ(view->parentWidget(), popup);
    delete popup;
    ASSERT_FALSE(view.isNull());
    EXPECT_EQ(view->parentWidget(), &home);
}

TEST(AnAttachedPopup, takesScreenPointsWithoutAParentWindow) {
    std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(makeView(), {500, 400}, nullptr, 3, 5));
    EXPECT_EQ(popup->geometry(), QRect(448, 400 - 5 - 70, 104, 70));
}

TEST(AnAttachedPopup, isCutToItsBoxAndArrowWhereTheDisplayDoesNotComposite) {
    ParentWindow parent;
    for (const bool composited : {false, true}) {
        platform::setCompositingAnswer(composited);
        std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(makeView(), {400, 300}, &parent.window, 1, 5));
        const QRegion shape = popup->mask();
        EXPECT_EQ(popup->testAttribute(Qt::WA_TranslucentBackground), composited);
        if (composited) {
            EXPECT_TRUE(shape.isEmpty()) << "see-through around the box where something blends it";
            continue;
        }
        const QRect box = popup->view()->geometry().adjusted(-2, -2, 2, 2);
        EXPECT_TRUE(shape.contains(box.center()));
        EXPECT_FALSE(shape.contains(QPoint(0, 0))) << "no corner of the window outside the rounded box";
        EXPECT_FALSE(shape.contains(QPoint(0, box.top() - 2))) << "nothing beside the arrow";
        EXPECT_TRUE(shape.contains(QPoint(popup->width() / 2, box.top() - 4))) << "the arrow itself";
    }
    platform::setCompositingAnswer(std::nullopt);
}

#include "controls/BezierPathAdditions.h"
#include "controls/ColoredCursorTextField.h"
#include "controls/ColoredTableCell.h"
#include "controls/CustomCheckboxCell.h"
#include "controls/CustomTextcoloredTextField.h"
#include "controls/DisableScrollView.h"
#include "controls/DisableSubviews.h"
#include "controls/MouseDownView.h"
#include "controls/MouseDownViewDelegate.h"
#include "controls/OutsideClickWatch.h"
#include "controls/VisualEffectBacking.h"
#include "controls/WindowCloseButton.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// Hears only presses and drags, like the main window's drag areas.
struct DragAreaDelegate : MouseDownViewDelegate {
    int downs = 0, drags = 0;
    void mouseDown(QMouseEvent*, MouseDownView*) override { ++downs; }
    void mouseDragged(QMouseEvent*, MouseDownView*) override { ++drags; }
};

struct EverythingDelegate : DragAreaDelegate {
    int doubles = 0, ups = 0, rights = 0, wheels = 0;
    void mouseDoubleClicked(QMouseEvent*, MouseDownView*) override { ++doubles; }
    void mouseUp(QMouseEvent*, MouseDownView*) override { ++ups; }
    void rightMouseDown(QMouseEvent*) override { ++rights; }
    void scrollWheel(QWheelEvent*, MouseDownView*) override { ++wheels; }
};

}  // namespace

TEST(AMouseDownView, handsPressesDragsAndReleasesToItsDelegate) {
    MouseDownView view;
    view.resize(200, 100);
    view.show();
    EverythingDelegate delegate;
    view.setDelegate(&delegate);
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&view, QPoint(40, 10));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(40, 10));
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(40, 10));
    EXPECT_EQ(delegate.downs, 1);
    EXPECT_EQ(delegate.drags, 1);
    EXPECT_EQ(delegate.ups, 2);
    EXPECT_EQ(delegate.doubles, 1);
    EXPECT_EQ(delegate.rights, 1);
    view.setDelegate(nullptr);
}

TEST(AMouseDownView, letsADoubleClickReachNobodyWhoDoesNotListen) {
    MouseDownView view;
    view.resize(200, 100);
    view.show();
    DragAreaDelegate delegate;
    view.setDelegate(&delegate);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(delegate.downs, 1) << "only the first click of the double click";
    view.setDelegate(nullptr);
}

TEST(AMouseDownView, swallowsKeyPresses) {
    QWidget parent;
    auto* view = new MouseDownView(&parent);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(view, &key);
    EXPECT_TRUE(key.isAccepted());
    EXPECT_EQ(MouseDownView::messageForClickCount(0), MouseDownView::PressMessage::None);
    EXPECT_EQ(MouseDownView::messageForClickCount(3), MouseDownView::PressMessage::DoubleClicked);
}

TEST(ARowView, drawsTheSelectionBandInsideTheRow) {
    EXPECT_EQ(ColoredTableCell::selectionRect(QRectF(0, 0, 300, 80)), QRectF(0, 2, 300, 76));
    ColoredTableCell row;
    row.resize(100, 20);
    row.setSelected(true);
    QImage image(100, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    row.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(50, 0), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(50, 10), QColor(Qt::white));
    row.setSelectionHighlightStyle(ColoredTableCell::SelectionHighlightStyle::None);
    image.fill(Qt::white);
    row.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(50, 10), QColor(Qt::white));
}

TEST(ACheckBoxCell, drawsTheTickedPictureForTheMixedStateToo) {
    EXPECT_EQ(CustomCheckboxCell::imageNameFor(Qt::Unchecked), "unchecked_sq_icon_flip");
    EXPECT_EQ(CustomCheckboxCell::imageNameFor(Qt::Checked), "checked_sq_icon_flip");
    EXPECT_EQ(CustomCheckboxCell::imageNameFor(Qt::PartiallyChecked), "checked_sq_icon_flip");
    EXPECT_EQ(CustomCheckboxCell::imageRect(), QRectF(2, 0, 15, 15));
}

TEST(DisablingSubviews, switchesEveryControlButNotTheContainers) {
    QWidget view;
    auto* box = new QGroupBox(&view);
    auto* first = new QPushButton(box);
    auto* second = new QPushButton(box);
    auto* field = new QLineEdit(box);
    auto* plain = new QWidget(&view);
    DisableSubviews::disableSubviews(&view, true);
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(second->isEnabled());
    EXPECT_FALSE(field->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(plain->isEnabled());
    EXPECT_TRUE(view.isEnabled());
    DisableSubviews::disableSubviews(&view, false);
    EXPECT_TRUE(first->isEnabled());
    EXPECT_TRUE(field->isEnabled());
}

TEST(DisablingSubviews, visitsChildrenEvenOfViewsTheFilterRefuses) {
    QWidget view;
    auto* outer = new QPushButton(&view);
    auto* inner = new QPushButton(outer);
    QStringList visited;
    outer->setObjectName("outer");
    inner->setObjectName("inner");
    DisableSubviews::disableSubviews(&view, true, [&](QWidget* w) {
        visited << w->objectName();
        return w == inner;
    });
    EXPECT_EQ(visited, (QStringList{"inner", "outer"})) << "children before their parent";
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_TRUE(outer->isEnabled());
}

TEST(AScrollViewThatCanStop, ignoresTheWheelWhileSwitchedOff) {
    DisableScrollView scroll;
    auto* content = new QWidget;
    content->resize(200, 2000);
    scroll.setWidget(content);
    scroll.resize(200, 200);
    scroll.show();
    auto wheel = [&] {
        QWheelEvent event(QPointF(50, 50), scroll.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll.viewport(), &event);
    };
    scroll.setScrollingEnabled(false);
    wheel();
    EXPECT_EQ(scroll.verticalScrollBar()->value(), 0);
    scroll.setScrollingEnabled(true);
    wheel();
    EXPECT_GT(scroll.verticalScrollBar()->value(), 0);
}

TEST(AnInsideStroke, coversOnlyTheOutermostPointsOfTheShape) {
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterPath path;
    path.addRect(QRectF(5, 5, 10, 10));
    const QRegion clipBefore = painter.clipRegion();
    BezierPathAdditions::strokeInside(painter, path, QPen(Qt::black, 1.0));
    EXPECT_EQ(painter.clipRegion(), clipBefore);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(14, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(4, 10), QColor(Qt::white)) << "nothing outside";
    EXPECT_EQ(image.pixelColor(15, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(6, 10), QColor(Qt::white)) << "one point wide";
}

TEST(TextColouredFields, keepTheirFixedColours) {
    CustomTextcoloredTextField label;
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::white));
    QPalette p = label.palette();
    p.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(p);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::white));
    ColoredCursorTextField field;
    EXPECT_EQ(field.palette().color(QPalette::Text), QColor(Qt::black));
}

TEST(ATranslucentBacking, liesOnceUnderItsViewAndFollowsTheContainer) {
    QWidget container;
    container.resize(300, 200);
    container.show();
    auto* view = new QWidget(&container);
    view->setGeometry(10, 10, 280, 180);
    auto* other = new QWidget(&container);

    VisualEffectBacking* backing = VisualEffectBacking::addVisualEffectView(&container, view);
    ASSERT_NE(backing, nullptr);
    EXPECT_EQ(VisualEffectBacking::addVisualEffectView(&container, view), backing);
    EXPECT_NE(VisualEffectBacking::addVisualEffectView(&container, other), backing);
    EXPECT_EQ(container.findChildren<VisualEffectBacking*>().size(), 2);

    EXPECT_EQ(backing->geometry(), QRect(0, 0, 300, 220));
    const QObjectList& children = container.children();
    EXPECT_LT(children.indexOf(backing), children.indexOf(view));  // drawn first, so under the view
    EXPECT_TRUE(view->isVisibleTo(&container));
    EXPECT_FALSE(view->mask().isEmpty());  // rounded corners
    container.resize(400, 250);
    EXPECT_EQ(backing->geometry(), QRect(0, 0, 400, 270));
}

TEST(ABackingLook, liesWhereItsScreenNeedsItAndPaintsItsShape) {
    using Look = VisualEffectBacking::Look;
    const struct {
        const char* name;
        Look look;
        QRect view;     // in a 300 x 200 container
        QRect backing;  // where it lies, in the container
        bool viewCut;
        QPoint clear;   // a point of the backing left unpainted, or (-1, -1)
        QPoint filled;  // a point painted with the fill
    } rows[] = {
        {"sharedPanelUnderTheWholeContainer", Look(), QRect(10, 10, 280, 180), QRect(0, 0, 300, 220), true,
         QPoint(0, 0), QPoint(150, 100)},
        {"barOverAMapUnderItsViewAlone",
         Look{.fill = QColor(28, 28, 30, 219), .cornerRadius = 5, .underViewOnly = true}, QRect(10, 10, 280, 50),
         QRect(10, 10, 280, 50), true, QPoint(0, 0), QPoint(140, 25)},
        {"squareEditorLeavesItsViewWhole", Look{.fill = QColor(38, 38, 38), .cornerRadius = 0}, QRect(0, 0, 300, 200),
         QRect(0, 0, 300, 220), false, QPoint(-1, -1), QPoint(0, 0)},
        {"contentBelowATitleBarSquareOnTop",
         Look{.fill = QColor(44, 44, 48),
              .cornerRadius = 5,
              .squareTop = true,
              .underViewOnly = true,
              .roundsView = false},
         QRect(0, 50, 300, 150), QRect(0, 50, 300, 150), false, QPoint(0, 149), QPoint(0, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget container;
        container.resize(300, 200);
        container.show();
        auto* view = new QWidget(&container);
        view->setGeometry(row.view);
        VisualEffectBacking* backing = VisualEffectBacking::addVisualEffectView(&container, view, row.look);
        ASSERT_NE(backing, nullptr);
        EXPECT_EQ(backing->geometry(), row.backing);
        EXPECT_EQ(!view->mask().isEmpty(), row.viewCut);

        // Drawn alone, without what lies behind it.
        QImage picture(backing->size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        backing->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
        if (row.clear.x() >= 0) {
            EXPECT_EQ(picture.pixelColor(row.clear).alpha(), 0);
        }
        const QColor painted = picture.pixelColor(row.filled);
        EXPECT_EQ(painted.alpha(), row.look.fill.alpha());
        EXPECT_NEAR(painted.red(), row.look.fill.red(), 1);
        EXPECT_NEAR(painted.blue(), row.look.fill.blue(), 1);

        // A strip's backing goes where the strip goes; any other stays with its container.
        view->setGeometry(row.view.translated(5, 5).adjusted(0, 0, -20, -10));
        EXPECT_EQ(backing->geometry(), row.look.underViewOnly ? view->geometry() : row.backing);
    }
}

TEST(AWindowCloseButton, closesItsWindowByClickOrByAnEscapeNoFieldKept) {
    for (const bool byClick : {true, false}) {
        QWidget window;
        auto* button = new WindowCloseButton(&window);
        auto* field = new QLineEdit(&window);
        field->move(0, 40);
        window.show();
        QTest::keyClick(field, Qt::Key_Escape, Qt::ShiftModifier);
        ASSERT_TRUE(window.isVisible()) << "only Escape alone";
        if (byClick)
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible()) << (byClick ? "click" : "Escape");
    }
}

TEST(AnOutsideClickWatch, takesEscapeAloneAndLeavesItToAListOfQtsOwnOpenOverThePopup) {
    enum class Over { Nothing, ComboList, Menu };
    const struct {
        const char* name;
        Over over;
        Qt::KeyboardModifiers modifiers;
        bool dismissed;
    } rows[] = {
        {"escapeAlone", Over::Nothing, Qt::NoModifier, true},
        {"shiftEscape", Over::Nothing, Qt::ShiftModifier, false},
        {"escapeWithAComboBoxListOpen", Over::ComboList, Qt::NoModifier, false},
        {"escapeWithAMenuOpen", Over::Menu, Qt::NoModifier, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget popup;
        auto* combo = new QComboBox(&popup);
        combo->addItems({"1", "2", "3"});
        QMenu menu;
        menu.addAction("Item");
        popup.show();
        int dismissed = 0;
        OutsideClickWatch watch([](const QWidget*, const QPointF&) { return true; }, [&dismissed] { ++dismissed; });
        watch.start();
        if (row.over == Over::ComboList) combo->showPopup();
        if (row.over == Over::Menu) menu.popup(popup.mapToGlobal(QPoint(10, 10)));
        QWidget* target = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : combo;
        ASSERT_EQ(row.over != Over::Nothing, QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(target, Qt::Key_Escape, row.modifiers);
        EXPECT_EQ(dismissed, row.dismissed ? 1 : 0);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the list took the Escape and closed";
    }
}

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <functional>

#include "controls/MAAttachedWindow.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditorBatchActions.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoRowDelegate.h"
#include "editor/PhotoTableView.h"
#include "tests/controls/ManualTimer.h"
#include "tests/editor/EditorFixture.h"

namespace {

QRect globalRect(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

// The more button of a row, in the list's viewport.
QRect moreButtonOf(const PhotoTableView* list, int row) {
    return PhotoRowDelegate::moreRect(list->visualRect(list->model()->index(row, 0)));
}

// The screen at the window's smallest size with eight photos; the offscreen display is 800 wide, so a row
// moves the window left to bring what it opens into sight.
class TheScreensPopups : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        addAndWait({makeFolder(8)});
        // The rows take the list's width once its scroll bar is in; the list lays them out later by itself.
        view->tblPhotos()->doItemsLayout();
    }
};

// Clicks the middle of an area of a widget; the area on the screen.
QRect clickAt(QWidget* target, const QRect& area) {
    QTest::mouseClick(target, Qt::LeftButton, {}, area.center());
    return {target->mapToGlobal(area.topLeft()), area.size()};
}

// The photo menu of the last row whose more button is wholly in sight (first: the first row).
QRect photoMenu(ExifEditorView& view, bool lastRow) {
    PhotoTableView* list = view.tblPhotos();
    QRect more;
    for (int row : list->visibleRows()) {
        const QRect rect = moreButtonOf(list, row);
        if (list->viewport()->rect().contains(rect) && (lastRow || more.isNull())) more = rect;
    }
    return clickAt(list->viewport(), more);
}

QRect datePanelOfDateTaken(ExifEditorView& view) {
    QWidget* field = view.textField("Date_Original");
    QTest::mouseClick(field->findChild<QAbstractButton*>(), Qt::LeftButton);
    return globalRect(field);
}

// The popup the screen has open: its list's or its date panel's.
MAAttachedWindow* openPopup(ExifEditorView& view) {
    if (view.optionPopup()->isOpen()) return view.optionPopup()->window();
    DateTimeRulesPanel* panel = view.batchActions().datePanel();
    return panel && panel->isOpen() ? qobject_cast<MAAttachedWindow*>(panel->window()) : nullptr;
}

// The tip of a popup's arrow on the screen.
QPointF arrowTip(const MAAttachedWindow* popup) {
    const QRectF f = popup->geometry();
    switch (AttachedWindowGeometry::arrowEdge(popup->side())) {
        case AttachedWindowGeometry::Edge::Top:
            return {f.left() + popup->arrowAt(), f.top()};
        case AttachedWindowGeometry::Edge::Bottom:
            return {f.left() + popup->arrowAt(), f.bottom()};
        case AttachedWindowGeometry::Edge::Left:
            return {f.left(), f.bottom() - popup->arrowAt()};
        case AttachedWindowGeometry::Edge::Right:
            return {f.right(), f.bottom() - popup->arrowAt()};
    }
    return {};
}

struct PopupRow {
    const char* name;
    int windowLeft;
    std::function<QRect(ExifEditorView&)> open;  // clicks what opens it; where that is on the screen
    bool clearOfThePhotoList = false;
    friend void PrintTo(const PopupRow& row, std::ostream* os) { *os << row.name; }
};

class APopupOfTheScreen : public TheScreensPopups, public ::testing::WithParamInterface<PopupRow> {};

TEST_P(APopupOfTheScreen, pointsAtWhatOpenedItInsideTheWindowAndGoesOnEscape) {
    view->move(GetParam().windowLeft, 0);
    settle();
    const QRect opener = GetParam().open(*view);
    const MAAttachedWindow* popup = openPopup(*view);
    ASSERT_NE(popup, nullptr);
    const QRect frame = popup->geometry();
    EXPECT_TRUE(view->frameGeometry().intersected(view->screen()->availableGeometry()).contains(frame))
        << "inside the window on the screen";
    EXPECT_FALSE(globalRect(popup->view()).intersects(opener)) << "clear of what opened it";
    const QPointF tip = arrowTip(popup);
    const QRectF near = QRectF(opener).adjusted(-6, -6, 6, 6);
    EXPECT_TRUE(near.contains(tip)) << "the arrow at what opened it";
    if (GetParam().clearOfThePhotoList) {
        EXPECT_FALSE(frame.intersects(globalRect(view->tblPhotos()))) << "over the form, not the photo list";
    }
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view.get(), Qt::Key_Escape);
    EXPECT_EQ(openPopup(*view), nullptr) << "Escape puts it away";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, APopupOfTheScreen,
    ::testing::Values(PopupRow{"photoMenuOfTheFirstRow", 0, [](auto& v) { return photoMenu(v, false); }},
                      PopupRow{"photoMenuOfTheLastRowInSight", 0, [](auto& v) { return photoMenu(v, true); }},
                      PopupRow{"presets", -250,
                               [](auto& v) { return clickAt(v.btnPresets(), v.btnPresets()->rect()); }},
                      PopupRow{"addMenu", 0, [](auto& v) { return clickAt(v.btnAddPhoto(), v.btnAddPhoto()->rect()); }},
                      PopupRow{"datePanelOfALeftColumnDate", -250, datePanelOfDateTaken, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TheScreensPopups, nameTheMoreButtonInItsToolTipAndThePhotoElsewhereOnTheRow) {
    QWidget* viewport = view->tblPhotos()->viewport();
    const auto tipAt = [viewport](const QPoint& at) {
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(tipAt(moreButtonOf(view->tblPhotos(), 1).center()), "More options");
    const QRect row = view->tblPhotos()->visualRect(view->tblPhotos()->model()->index(1, 0));
    EXPECT_EQ(tipAt(PhotoRowDelegate::nameRect(row).center()), batch.at(1).fileName);
    QToolTip::hideText();
}

TEST_F(TheScreensPopups, selectAllTicksEveryPhotoInTheListAndTheTextInAField) {
    QApplication::setActiveWindow(view.get());
    tick({1});
    // A click on a row gives the list the focus (and ticks that photo once the click is known to be single).
    auto timer = std::make_unique<ManualTimer>();
    ManualTimer* clicks = timer.get();
    view->tblPhotos()->setClickTimer(std::move(timer));
    QTest::mouseClick(view->tblPhotos()->viewport(), Qt::LeftButton, {}, QPoint(60, 30));
    clicks->fire();
    // The application's Select All goes to what holds the focus.
    const auto selectAll = [] { QMetaObject::invokeMethod(QApplication::focusWidget(), "selectAll"); };
    ASSERT_EQ(QApplication::focusWidget(), view->tblPhotos());
    selectAll();
    EXPECT_EQ(view->totalPhotosSelected(), 8);
    EXPECT_TRUE(view->btnPresets()->isEnabled());
    selectAll();
    EXPECT_EQ(view->totalPhotosSelected(), 8) << "Select All again, with every photo ticked";

    QLineEdit* artist = view->textField("Artist");
    QTest::mouseClick(artist, Qt::LeftButton);
    QTest::keyClicks(artist, "Ada");
    selectAll();
    EXPECT_EQ(artist->selectedText(), artist->text());
    EXPECT_EQ(view->totalPhotosSelected(), 8) << "the ticks stay";
}

}  // namespace

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

namespace G = AttachedWindowGeometry;

// The screen at the window's smallest size, with photos in its list.
class TheScreensPopups : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        addAndWait({makeFolder(8)});
    }
    QRect globalRect(const QWidget* widget) const { return {widget->mapToGlobal(QPoint(0, 0)), widget->size()}; }
    QRect moreButtonOf(int row) const {
        const PhotoTableView* list = view->tblPhotos();
        const QRect more = PhotoRowDelegate::moreRect(list->visualRect(list->model()->index(row, 0)));
        return {list->viewport()->mapToGlobal(more.topLeft()), more.size()};
    }
    void clickMoreButtonOf(int row) {
        const QRect more = moreButtonOf(row);
        QTest::mouseClick(view->tblPhotos()->viewport(), Qt::LeftButton, {},
                          view->tblPhotos()->viewport()->mapFromGlobal(more.center()));
    }
    // The last row whose more button is wholly in sight.
    int lastRowInSight() const {
        const QRect list = globalRect(view->tblPhotos()->viewport());
        int last = 0;
        for (int row : view->tblPhotos()->visibleRows()) {
            if (list.contains(moreButtonOf(row))) last = row;
        }
        return last;
    }
};

// The tip of a popup's arrow on the screen.
QPointF arrowTip(const MAAttachedWindow* popup) {
    const QRectF frame = popup->geometry();
    switch (G::arrowEdge(popup->side())) {
        case G::Edge::Top:
            return {frame.left() + popup->arrowAt(), frame.top()};
        case G::Edge::Bottom:
            return {frame.left() + popup->arrowAt(), frame.bottom()};
        case G::Edge::Left:
            return {frame.left(), frame.bottom() - popup->arrowAt()};
        case G::Edge::Right:
            return {frame.right(), frame.bottom() - popup->arrowAt()};
    }
    return {};
}

double distanceTo(const QRectF& rect, const QPointF& point) {
    const double dx = std::max({rect.left() - point.x(), 0.0, point.x() - rect.right()});
    const double dy = std::max({rect.top() - point.y(), 0.0, point.y() - rect.bottom()});
    return std::hypot(dx, dy);
}

struct OpenedPopup {
    MAAttachedWindow* window = nullptr;
    QRect opener;
    std::function<bool()> isOpen;
};

struct PopupRow {
    const char* name;
    std::function<OpenedPopup(TheScreensPopups&, ExifEditorView&)> open;
    bool clearOfThePhotoList;
    // The window (1050 wide) sits this far left of the offscreen display (800 wide), so that the part the
    // row needs is in sight.
    int windowLeft = 0;
};

void PrintTo(const PopupRow& row, std::ostream* os) {
    *os << row.name;
}

class APopupOfTheScreen : public TheScreensPopups, public ::testing::WithParamInterface<PopupRow> {
  public:
    using TheScreensPopups::clickMoreButtonOf;
    using TheScreensPopups::lastRowInSight;
    using TheScreensPopups::moreButtonOf;
};

OpenedPopup listPopup(ExifEditorView& view, const QRect& opener) {
    return {view.optionPopup()->window(), opener, [&view] { return view.optionPopup()->isOpen(); }};
}

OpenedPopup photoMenuOf(APopupOfTheScreen& test, ExifEditorView& view, int row) {
    test.clickMoreButtonOf(row);
    return listPopup(view, test.moreButtonOf(row));
}

OpenedPopup clickedList(ExifEditorView& view, QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    return listPopup(view, QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
}

OpenedPopup datePanelOfDateTaken(ExifEditorView& view) {
    const QWidget* field = view.textField("Date_Original");
    auto* button = field->findChild<QAbstractButton*>();
    QTest::mouseClick(button, Qt::LeftButton);
    DateTimeRulesPanel* panel = view.batchActions().datePanel();
    return {qobject_cast<MAAttachedWindow*>(panel->window()), QRect(field->mapToGlobal(QPoint(0, 0)), field->size()),
            [panel] { return panel->isOpen(); }};
}

TEST_P(APopupOfTheScreen, pointsAtWhatOpenedItInsideTheWindowAndGoesOnEscape) {
    view->move(GetParam().windowLeft, 0);
    settle();
    const OpenedPopup popup = GetParam().open(*this, *view);
    ASSERT_NE(popup.window, nullptr);
    ASSERT_TRUE(popup.isOpen());
    const QRect frame = popup.window->geometry();
    const QRect inside = view->frameGeometry().intersected(view->screen()->availableGeometry());
    EXPECT_TRUE(inside.contains(frame)) << "inside the window on the screen";
    EXPECT_FALSE(globalRect(popup.window->view()).intersects(popup.opener)) << "clear of what opened it";
    EXPECT_LE(distanceTo(popup.opener, arrowTip(popup.window)), 6) << "the arrow at what opened it";
    if (GetParam().clearOfThePhotoList) {
        EXPECT_FALSE(frame.intersects(globalRect(view->tblPhotos()))) << "clear of the photo list";
    }

    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view.get(), Qt::Key_Escape);
    EXPECT_FALSE(popup.isOpen()) << "Escape puts it away";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, APopupOfTheScreen,
    ::testing::Values(
        PopupRow{"photoMenuFromTheFirstRowsMoreButton",
                 [](TheScreensPopups& t, ExifEditorView& v) {
                     return photoMenuOf(static_cast<APopupOfTheScreen&>(t), v, 0);
                 },
                 false},
        PopupRow{"photoMenuFromTheLastRowInSight",
                 [](TheScreensPopups& t, ExifEditorView& v) {
                     auto& test = static_cast<APopupOfTheScreen&>(t);
                     return photoMenuOf(test, v, test.lastRowInSight());
                 },
                 false},
        PopupRow{"presetsFromTheirButton",
                 [](TheScreensPopups&, ExifEditorView& v) { return clickedList(v, v.btnPresets()); }, false, -250},
        PopupRow{"addMenuFromItsButton",
                 [](TheScreensPopups&, ExifEditorView& v) { return clickedList(v, v.btnAddPhoto()); }, false},
        PopupRow{"datePanelOfALeftColumnDate",
                 [](TheScreensPopups&, ExifEditorView& v) { return datePanelOfDateTaken(v); }, true, -250}));

TEST_F(TheScreensPopups, nameTheMoreButtonInItsToolTipAndThePhotoElsewhereOnTheRow) {
    QWidget* viewport = view->tblPhotos()->viewport();
    const auto tipAt = [viewport](const QPoint& at) {
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(tipAt(viewport->mapFromGlobal(moreButtonOf(1).center())), "More options");
    const QRect row = view->tblPhotos()->visualRect(view->tblPhotos()->model()->index(1, 0));
    EXPECT_EQ(tipAt(PhotoRowDelegate::nameRect(row).center()), batch.at(1).fileName);
    QToolTip::hideText();
}

// Select All of the application's menu, as it reaches what holds the focus.
void selectAllOnTheFocus() {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QMetaObject::invokeMethod(focus, "selectAll");
}

TEST_F(TheScreensPopups, selectAllTicksEveryPhotoInTheListAndTheTextInAField) {
    view->activateWindow();
    QApplication::setActiveWindow(view.get());
    tick({1});
    // A click on a row gives the list the focus (and ticks that photo once the click is known to be single).
    auto timer = std::make_unique<ManualTimer>();
    ManualTimer* clicks = timer.get();
    view->tblPhotos()->setClickTimer(std::move(timer));
    QTest::mouseClick(view->tblPhotos()->viewport(), Qt::LeftButton, {}, QPoint(60, 30));
    clicks->fire();
    EXPECT_EQ(QApplication::focusWidget(), view->tblPhotos());
    EXPECT_EQ(view->totalPhotosSelected(), 2);
    selectAllOnTheFocus();
    for (const PhotoFile& photo : batch) EXPECT_TRUE(photo.isSelected) << photo.fileName.toStdString();
    EXPECT_EQ(view->totalPhotosSelected(), 8);
    EXPECT_TRUE(view->btnPresets()->isEnabled());

    QLineEdit* artist = view->textField("Artist");
    QTest::mouseClick(artist, Qt::LeftButton);
    QTest::keyClicks(artist, "Ada");
    artist->setCursorPosition(1);
    selectAllOnTheFocus();
    EXPECT_EQ(artist->selectedText(), artist->text());
    EXPECT_EQ(view->totalPhotosSelected(), 8) << "the ticks stay";
}

}  // namespace

#include "controls/IMGButton.h"
#include "controls/VLAppStoreWindow.h"
#include "controls/VLTitlebarView.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The main window's own bar: a plain view holding a control.
struct BarWithButton {
    QWidget* bar = new QWidget;
    QPushButton* button = new QPushButton("Add", bar);
};

class SheetPlacingDelegate : public VLAppStoreWindowDelegate {
  public:
    std::optional<QRectF> windowWillPositionSheet(VLAppStoreWindow*, QWidget*, const QRectF& proposed) override {
        QRectF r(proposed);
        r.moveTop(10);
        return r;
    }
};

class ClosingDelegate : public VLAppStoreWindowDelegate {
  public:
    bool allow = false;
    int willClose = 0;
    bool windowShouldClose(VLAppStoreWindow*) override { return allow; }
    void windowWillClose(VLAppStoreWindow*) override { ++willClose; }
};

void setUpAsMainWindow(VLAppStoreWindow& w) {
    w.setTitleBarHeight(50);
    w.setCenterTrafficLightButtons(false);
    w.setTrafficLightButtonsTopMargin(3);
    w.setTrafficLightButtonsLeftMargin(7);
    w.setShowsTitle(false);
}

}  // namespace

TEST(ATallTitleBarWindow, endsTheContentWhereTheBarBegins) {
    VLAppStoreWindow w;
    w.resize(1050, 700);
    auto* content = new QWidget;
    w.setContentView(content);
    for (qreal bar : {22.0, 50.0, 80.0}) {
        w.setTitleBarHeight(bar);
        EXPECT_EQ(content->geometry(), QRect(0, int(bar), 1050, 700 - int(bar))) << bar;
        EXPECT_EQ(w.titleBarView()->geometry(), QRect(0, 0, 1050, int(bar)));
    }
    w.show();
    w.resize(1200, 800);
    EXPECT_EQ(content->geometry(), QRect(0, 80, 1200, 720));
}

TEST(ATallTitleBarWindow, appliesANewTopMarginOnlyAtTheNextLayout) {
    VLAppStoreWindow w;
    w.resize(600, 400);
    w.setTitleBarHeight(50);
    w.setCenterTrafficLightButtons(false);
    const int before = w.closeButton()->y();
    w.setTrafficLightButtonsTopMargin(10);
    EXPECT_EQ(w.closeButton()->y(), before);
    w.setTrafficLightButtonsLeftMargin(8);
    EXPECT_EQ(w.closeButton()->geometry().topLeft(), QPoint(8, 10));
}

TEST(ATallTitleBarWindow, hangsASheetFromUnderTheBar) {
    VLAppStoreWindow w;
    w.setGeometry(100, 100, 800, 600);
    setUpAsMainWindow(w);
    w.show();
    auto* sheet = new QWidget;
    sheet->setFixedSize(300, 120);
    w.beginSheet(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->pos(), QPoint(100 + 400 - 150, 100 + 50));
    sheet->close();
}

TEST(ATallTitleBarWindow, letsItsDelegatePlaceSheets) {
    VLAppStoreWindow w;
    w.setGeometry(0, 0, 800, 600);
    SheetPlacingDelegate delegate;
    w.setDelegate(&delegate);
    auto sheet = std::make_unique<QWidget>();
    EXPECT_EQ(w.sheetPosition(sheet.get(), QSizeF(200, 100)), QPointF(300, 10));
    w.setDelegate(nullptr);
    w.setTitleBarHeight(40);
    EXPECT_EQ(w.sheetPosition(sheet.get(), QSizeF(200, 100)), QPointF(300, 40));
}

TEST(ATallTitleBarWindow, enablesTheBarsControlsOnlyWhileActive) {
    VLAppStoreWindow w;
    BarWithButton bar;
    w.setTitleBarView(bar.bar);
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    if (!w.drawsAsMain()) GTEST_SKIP() << "this platform plugin does not activate windows";
    EXPECT_TRUE(bar.button->isEnabled());

    QApplication::setActiveWindow(nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(w.drawsAsMain());
    EXPECT_FALSE(bar.button->isEnabled());

    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    EXPECT_TRUE(bar.button->isEnabled());
}

TEST(ATallTitleBarWindow, minimisesOnADoubleClickOfTheDefaultBarOnly) {
    VLAppStoreWindow w;
    w.resize(400, 300);
    w.setTitleBarHeight(40);
    w.show();
    QWidget* bar = w.titleBarView();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_FALSE(w.isMinimized());
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(200, 20));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(200, 20));
    EXPECT_TRUE(w.windowState() & Qt::WindowMinimized);
}

TEST(ATallTitleBarWindow, keepsItsFrameWhenResizingIsSwitched) {
    VLAppStoreWindow w;
    w.setGeometry(50, 60, 900, 650);
    w.show();
    const QRect before = w.geometry();
    w.setResizable(false);
    EXPECT_EQ(w.geometry(), before);
    w.setResizable(true);
    EXPECT_EQ(w.geometry(), before);
}

TEST(ATallTitleBarWindow, storesANewHeightAlsoForTheWayBackFromFullScreen) {
    VLAppStoreWindow w;
    w.resize(800, 600);
    w.setHideTitleBarInFullScreen(true);
    w.setTitleBarHeight(50);
    w.show();
    w.showFullScreen();
    QApplication::processEvents();
    if (!w.isInFullScreen()) GTEST_SKIP() << "no full screen on this platform plugin";
    EXPECT_EQ(w.titleBarHeight(), 0);
    EXPECT_FALSE(w.titleBarView()->isVisible());
    w.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(w.titleBarHeight(), 50);
    EXPECT_TRUE(w.titleBarView()->isVisible());
}

TEST(ATallTitleBarWindow, asksItsDelegateBeforeClosing) {
    VLAppStoreWindow w;
    ClosingDelegate delegate;
    w.setDelegate(&delegate);
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    delegate.allow = true;
    EXPECT_TRUE(w.close());
    EXPECT_EQ(delegate.willClose, 1);
    w.setDelegate(nullptr);
}

TEST(ATallTitleBarWindow, closesFromItsOwnCloseButton) {
    VLAppStoreWindow w;
    w.resize(400, 300);
    w.show();
    QTest::mouseClick(w.closeButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(w.isVisible());
    QApplication::processEvents();
    EXPECT_EQ(w.closeButton()->state(), ControlStateOff);
}

TEST(ATallTitleBarWindow, keepsStandardButtonsHiddenByItsOwnerAcrossLayouts) {
    VLAppStoreWindow w;
    w.resize(400, 300);
    w.show();
    w.closeButton()->hide();
    w.resize(500, 300);
    w.setTitleBarHeight(60);
    EXPECT_FALSE(w.closeButton()->isVisible());
}

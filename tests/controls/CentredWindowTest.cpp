#include "controls/CentredWindow.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(AChildWindow, opensInTheMiddleOfItsOwner) {
    const struct {
        const char* name;
        QRect owner;
        QSize size;
        QPoint topLeft;
    } rows[] = {
        {"addPhotosOverTheMainWindow", {275, 150, 1050, 700}, {640, 470}, {480, 265}},
        {"oddDifferenceLeavesTheSparePointBelowRight", {0, 0, 1050, 700}, {641, 471}, {204, 114}},
        {"sameSizeCoversItsOwner", {10, 20, 300, 200}, {300, 200}, {10, 20}},
        {"largerThanItsOwnerOverhangsBothSides", {0, 0, 400, 300}, {600, 500}, {-100, -100}},
        {"ownerOnAScreenLeftOfThePrimary", {-1600, 100, 1050, 700}, {820, 560}, {-1485, 170}},
        {"emptyWindowSitsOnTheMiddlePoint", {0, 0, 1050, 700}, {0, 0}, {525, 350}},
    };
    for (const auto& row : rows) EXPECT_EQ(CentredWindow::topLeftOver(row.owner, row.size), row.topLeft) << row.name;
}

TEST(AChildWindow, centresOverTheWholeWindowOfTheViewItIsOpenedFrom) {
    QWidget main;
    main.setGeometry(200, 100, 1050, 700);
    auto* form = new QWidget(&main);
    form->setGeometry(300, 50, 750, 650);
    QWidget map(&main, Qt::Window);
    map.resize(820, 560);
    CentredWindow::centreOver(&map, form);
    EXPECT_EQ(map.pos(), QPoint(315, 170));
}

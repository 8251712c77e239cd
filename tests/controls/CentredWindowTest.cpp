#include "controls/CentredWindow.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct CentringRow {
    const char* name;
    QRect owner;
    QSize size;
    QPoint topLeft;
};

void PrintTo(const CentringRow& row, std::ostream* os) {
    *os << row.name;
}

class AChildWindow : public ::testing::TestWithParam<CentringRow> {};

TEST_P(AChildWindow, opensInTheMiddleOfItsOwner) {
    const CentringRow& row = GetParam();
    EXPECT_EQ(CentredWindow::topLeftOver(row.owner, row.size), row.topLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AChildWindow,
    ::testing::Values(CentringRow{"addPhotosOverTheMainWindow", {275, 150, 1050, 700}, {640, 470}, {480, 265}},
                      CentringRow{
                          "oddDifferenceLeavesTheSparePointBelowRight", {0, 0, 1050, 700}, {641, 471}, {204, 114}},
                      CentringRow{"sameSizeCoversItsOwner", {10, 20, 300, 200}, {300, 200}, {10, 20}},
                      CentringRow{"largerThanItsOwnerOverhangsBothSides", {0, 0, 400, 300}, {600, 500}, {-100, -100}},
                      CentringRow{"ownerOnAScreenLeftOfThePrimary", {-1600, 100, 1050, 700}, {820, 560}, {-1485, 170}},
                      CentringRow{"emptyWindowSitsOnTheMiddlePoint", {0, 0, 1050, 700}, {0, 0}, {525, 350}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

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

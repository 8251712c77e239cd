#include "controls/GRProgressIndicator.h"
#include "controls/NinePartImage.h"
#include "controls/ProgressBarGeometry.h"

#include <QPropertyAnimation>

#include <gtest/gtest.h>

namespace {

QPropertyAnimation* runningGlide(GRProgressIndicator& bar) {
    for (auto* a : bar.findChildren<QPropertyAnimation*>()) {
        if (a->state() == QAbstractAnimation::Running) return a;
    }
    return nullptr;
}

struct BarRow {
    double value, min, max, width;
    QRectF rect;
};

void PrintTo(const BarRow& c, std::ostream* os) {
    *os << c.value << " of " << c.min << ".." << c.max << " in " << c.width;
}

class AProgressBarRect : public ::testing::TestWithParam<BarRow> {};

TEST_P(AProgressBarRect, growsWithTheValue) {
    const BarRow& row = GetParam();
    EXPECT_EQ(ProgressBarGeometry::barRect(row.value, row.min, row.max, QSizeF(row.width, 20)), row.rect);
}

INSTANTIATE_TEST_SUITE_P(Rows, AProgressBarRect,
                         ::testing::Values(BarRow{50, 0, 100, 200, QRectF(1, 1, 100, 17)},
                                           BarRow{33, 0, 100, 250, QRectF(1, 1, 83, 17)},
                                           BarRow{150, 0, 100, 200, QRectF(1, 1, 300, 17)},
                                           BarRow{5, 0, 10, 101, QRectF(1, 1, 51, 17)}));

}  // namespace

TEST(AProgressBarRect, putsTheEndLineAtTheBarsLeadingEdge) {
    const QRectF bar = ProgressBarGeometry::barRect(50, 0, 100, QSizeF(200, 20));
    EXPECT_EQ(ProgressBarGeometry::endLineRect(bar), QRectF(101, 1, 1, 17));
}

TEST(AProgressBarRect, staysEmptyForAnEmptyRange) {
    EXPECT_EQ(ProgressBarGeometry::fraction(5, 10, 10), 0);
    EXPECT_EQ(ProgressBarGeometry::fraction(5, 10, 0), 0);
    EXPECT_EQ(ProgressBarGeometry::barRect(5, 10, 10, QSizeF(200, 20)).width(), 0);
}

TEST(AProgressIndicator, glidesUpwardsOverThreeTenthsOfASecond) {
    GRProgressIndicator bar;
    bar.resize(200, 20);
    bar.setDoubleValue(10);
    if (auto* first = runningGlide(bar)) first->setCurrentTime(GRProgressIndicator::kGlideMs);
    EXPECT_EQ(bar.internalDoubleValue(), 10);

    bar.setDoubleValue(40);
    EXPECT_EQ(bar.doubleValue(), 40) << "the value itself is set at once";
    QPropertyAnimation* glide = runningGlide(bar);
    ASSERT_NE(glide, nullptr);
    EXPECT_EQ(glide->duration(), 300);
    EXPECT_EQ(bar.internalDoubleValue(), 10);
    glide->setCurrentTime(150);
    EXPECT_DOUBLE_EQ(bar.internalDoubleValue(), 25);
    EXPECT_EQ(bar.progressBarRect().width(), 50);
    glide->setCurrentTime(300);
    EXPECT_DOUBLE_EQ(bar.internalDoubleValue(), 40);
}

TEST(AProgressIndicator, jumpsDownwardsAndSetsAnEqualValueDirectly) {
    GRProgressIndicator bar;
    bar.resize(200, 20);
    bar.setDoubleValue(40);
    runningGlide(bar)->setCurrentTime(300);
    bar.setDoubleValue(10);
    EXPECT_EQ(runningGlide(bar), nullptr);
    EXPECT_EQ(bar.internalDoubleValue(), 10);
    bar.setDoubleValue(10);
    EXPECT_EQ(runningGlide(bar), nullptr);
}

TEST(AProgressIndicator, startsANewGlideFromWhereTheDrawnBarIs) {
    GRProgressIndicator bar;
    bar.resize(200, 20);
    bar.setDoubleValue(40);
    runningGlide(bar)->setCurrentTime(150);  // drawn at 20
    bar.setDoubleValue(60);
    QPropertyAnimation* glide = runningGlide(bar);
    ASSERT_NE(glide, nullptr);
    EXPECT_DOUBLE_EQ(glide->startValue().toDouble(), 20);
}

TEST(ANinePartImage, keepsTheCornersAndStretchesTheRest) {
    const auto r = NinePartImage::layout(QRectF(0, 0, 200, 20), QSizeF(4, 4), QSizeF(4, 4));
    EXPECT_EQ(r.topLeft, QRectF(0, 0, 4, 4));
    EXPECT_EQ(r.center, QRectF(4, 4, 192, 12));
    EXPECT_EQ(r.bottomRight, QRectF(196, 16, 4, 4));
}

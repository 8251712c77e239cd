#include "controls/HighlightedButton.h"
#include "controls/SubWindowState.h"

#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

using Kind = HighlightedButtonLook::Kind;
using Image = HighlightedButtonLook::Image;

namespace {

QColor rgb(int r, int g, int b) {
    return QColor::fromRgbF(r / 255.0, g / 255.0, b / 255.0);
}

struct LookRow {
    int tag;
    Kind kind;
    bool changes;
    Image image;
    QColor background;  // invalid: none set
    qreal radius;
    QColor title;  // invalid: title untouched
    bool bold;
};

void PrintTo(const LookRow& row, std::ostream* os) {
    *os << "tag " << row.tag << " look " << static_cast<int>(row.kind);
}

class AHighlightedButtonLook : public ::testing::TestWithParam<LookRow> {};

TEST_P(AHighlightedButtonLook, followsItsTag) {
    const LookRow& row = GetParam();
    const auto look = HighlightedButtonLook::forTag(row.tag, row.kind);
    ASSERT_EQ(look.has_value(), row.changes);
    if (!look) return;
    EXPECT_EQ(look->image, row.image);
    EXPECT_EQ(look->layerBackground.value_or(QColor()), row.background);
    if (row.radius > 0) {
        EXPECT_EQ(look->cornerRadius.value_or(-1), row.radius);
    }
    EXPECT_EQ(look->setsTitle, row.title.isValid());
    if (look->setsTitle) {
        EXPECT_EQ(look->titleColor, row.title);
        EXPECT_EQ(look->boldTitle, row.bold);
    }
}

const QColor kWhite = Qt::white;
const QColor kGrey = rgb(30, 30, 30);
const QColor kNone;

INSTANTIATE_TEST_SUITE_P(
    ByTag, AHighlightedButtonLook,
    ::testing::Values(LookRow{101, Kind::Normal, true, Image::Normal, kNone, 1, kWhite, false},
                      LookRow{101, Kind::Hover, true, Image::Selected, kNone, 1, kWhite, true},
                      LookRow{101, Kind::Disabled, true, Image::Selected, kNone, 1, kWhite, true},
                      LookRow{102, Kind::Normal, true, Image::Normal, kNone, 0, kNone, false},
                      LookRow{102, Kind::Disabled, true, Image::Selected, kNone, 0, kNone, false},
                      LookRow{103, Kind::Hover, true, Image::Selected, kNone, 1, kWhite, true},
                      LookRow{104, Kind::Normal, true, Image::Normal, rgb(16, 16, 16), 1, kWhite, false},
                      LookRow{104, Kind::Hover, true, Image::Selected, rgb(20, 20, 20), 1, kWhite, false},
                      LookRow{104, Kind::Disabled, false, Image::Normal, kNone, 0, kNone, false},
                      LookRow{105, Kind::Normal, true, Image::Normal, kNone, 1, kGrey, false},
                      LookRow{105, Kind::Hover, true, Image::Selected, kNone, 1, kGrey, true},
                      LookRow{106, Kind::Normal, true, Image::None, rgb(205, 205, 205), 4, kGrey, false},
                      LookRow{106, Kind::Hover, true, Image::None, rgb(180, 180, 180), 4, kGrey, false},
                      LookRow{107, Kind::Normal, false, Image::Normal, kNone, 0, kNone, false}));

struct ButtonFixture {
    SubWindowState state;
    QWidget window;
    HighlightedButton* button;
    explicit ButtonFixture(int tag, const QString& title = "Start") {
        button = new HighlightedButton(tag, &window);
        button->setText(title);
        button->setSubWindowState(&state);
        button->awakeFromNib();
    }
    void enter() {
        QEvent e(QEvent::Enter);
        QApplication::sendEvent(button, &e);
    }
    void leave() {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(button, &e);
    }
};

}  // namespace

TEST(AHighlightedButtonLook, opensTheGateOnlyForTag104WhileASubWindowIsOpen) {
    EXPECT_TRUE(HighlightedButtonLook::gatePasses(false, true, 101));
    EXPECT_FALSE(HighlightedButtonLook::gatePasses(false, false, 101));
    EXPECT_TRUE(HighlightedButtonLook::gatePasses(false, false, 104));
    EXPECT_FALSE(HighlightedButtonLook::gatePasses(true, true, 101));
    EXPECT_TRUE(HighlightedButtonLook::gatePasses(true, false, 104));
}

TEST(AHighlightedButton, hoversAndLeavesWithItsLooks) {
    ButtonFixture f(104);
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(16, 16, 16));
    f.enter();
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(20, 20, 20));
    EXPECT_EQ(f.button->layerBorderColor(), rgb(34, 37, 37));
    EXPECT_EQ(f.button->shownImage(), Image::Selected);
    f.leave();
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(16, 16, 16));
    EXPECT_EQ(f.button->layerBorderWidth(), 2.0);
}

TEST(AHighlightedButton, keepsItsLookWhileASubWindowIsOpenUnlessTag104) {
    ButtonFixture plain(101);
    plain.state.setIsSubWindowOpened(true);
    plain.enter();
    EXPECT_FALSE(plain.button->titleIsBold()) << "hovering changes nothing";
    EXPECT_EQ(plain.button->shownImage(), Image::Normal);

    ButtonFixture dark(104);
    dark.state.setIsSubWindowOpened(true);
    dark.enter();
    EXPECT_EQ(dark.button->layerBackgroundColor(), rgb(20, 20, 20));
}

TEST(AHighlightedButton, givesADisabledTag104ButtonItsHoverLooks) {
    ButtonFixture f(104);
    f.button->setEnabled(false);
    f.enter();
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(20, 20, 20));
    f.leave();
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(16, 16, 16));
}

TEST(AHighlightedButton, keepsADisabledTag101ButtonInItsDisabledLook) {
    ButtonFixture f(101);
    f.button->setEnabled(false);
    EXPECT_TRUE(f.button->titleIsBold());
    EXPECT_EQ(f.button->shownImage(), Image::Selected);
    f.leave();
    EXPECT_TRUE(f.button->titleIsBold());
    EXPECT_EQ(f.button->shownImage(), Image::Selected);
}

TEST(AHighlightedButton, staysDisabledLookingWhenEnabledUnderASubWindow) {
    ButtonFixture f(101);
    f.button->setEnabled(false);
    f.state.setIsSubWindowOpened(true);
    f.button->setEnabled(true);
    EXPECT_EQ(f.button->shownImage(), Image::Selected);
    f.state.setIsSubWindowOpened(false);
    f.enter();
    f.leave();
    EXPECT_EQ(f.button->shownImage(), Image::Normal);
    EXPECT_FALSE(f.button->titleIsBold());
}

TEST(AHighlightedButton, showsOnlyTheGreyBackgroundForAnEmptyTag106Title) {
    ButtonFixture f(106, "");
    EXPECT_EQ(f.button->layerBackgroundColor(), rgb(205, 205, 205));
    EXPECT_EQ(f.button->layerCornerRadius(), 4.0);
    EXPECT_EQ(f.button->shownImage(), Image::None);
    EXPECT_FALSE(f.button->hasStyledTitle());
}

TEST(AHighlightedButton, setsItsOwnEnabledFlagWhenItWakes) {
    ButtonFixture f(101);
    f.button->setIsEnabled(false);
    f.button->awakeFromNib();
    EXPECT_TRUE(f.button->isEnabledFlag());
}

TEST(ASubWindowFlag, isSharedUntilTheApplicationInstallsItsOwn) {
    SubWindowState mine;
    SubWindowState::install(&mine);
    mine.setIsSubWindowOpened(true);
    EXPECT_TRUE(SubWindowState::shared().isSubWindowOpened());
    SubWindowState::install(nullptr);
    EXPECT_FALSE(SubWindowState::shared().isSubWindowOpened());
}

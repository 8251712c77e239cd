#include "controls/HighlightedButton.h"
#include "controls/SubWindowState.h"

#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

using Image = HighlightedButtonLook::Image;

namespace {

QColor rgb(int r, int g, int b) {
    return QColor::fromRgbF(r / 255.0, g / 255.0, b / 255.0);
}

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

TEST(ASubWindowFlag, isSharedUntilTheApplicationInstallsItsOwn) {
    SubWindowState mine;
    SubWindowState::install(&mine);
    mine.setIsSubWindowOpened(true);
    EXPECT_TRUE(SubWindowState::shared().isSubWindowOpened());
    SubWindowState::install(nullptr);
    EXPECT_FALSE(SubWindowState::shared().isSubWindowOpened());
}

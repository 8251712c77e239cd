#include "controls/IMGButton.h"
#include "controls/ThreePartImage.h"
#include "controls/TitleFitting.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Measures a text as 0.6 × size wide per character (the widest line) and 1.2 × size tall per line.
QSizeF fakeMeasure(const QString& text, const QFont& font) {
    const QStringList lines = text.split('\n');
    int longest = 0;
    for (const QString& line : lines) longest = std::max<int>(longest, line.size());
    const qreal size = font.pointSizeF();
    return QSizeF(longest * 0.6 * size, lines.size() * 1.2 * size);
}

struct IMGButtonFixture {
    QWidget window;
    IMGButton* button = new IMGButton(&window);
    IMGButtonFixture() {
        button->setGeometry(10, 10, 80, 30);
        window.resize(200, 100);
        window.show();
    }
};

}  // namespace

TEST(AnImageButtonLook, keepsThePreviousLookInTheMixedState) {
    EXPECT_FALSE(IMGButton::lookFor(true, ControlStateMixed, false).has_value());
}

TEST(AnImageButton, countsAReleaseOnItsEdgesAsInside) {
    const QSizeF size(80, 30);
    EXPECT_TRUE(IMGButton::releaseCounts(QPointF(80, 30), size));
    EXPECT_TRUE(IMGButton::releaseCounts(QPointF(0, 0), size));
    EXPECT_FALSE(IMGButton::releaseCounts(QPointF(80.5, 10), size));
    EXPECT_FALSE(IMGButton::releaseCounts(QPointF(10, -1), size));
}

TEST(AnImageButton, sendsItsActionOnceForAPressReleaseCycle) {
    IMGButtonFixture f;
    QSignalSpy clicked(f.button, &QAbstractButton::clicked);
    int stateSeenByHandler = -99;
    QObject::connect(f.button, &QAbstractButton::clicked, [&] { stateSeenByHandler = f.button->state(); });

    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_TRUE(f.button->isMouseDown());
    EXPECT_FALSE(f.button->isEnabled()) << "held buttons are disabled";
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(40, 15));

    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(stateSeenByHandler, ControlStateOff) << "the handler reads the state before the click";
    EXPECT_EQ(f.button->state(), ControlStateOn);
    EXPECT_TRUE(f.button->isEnabled());
    EXPECT_FALSE(f.button->isMouseDown());

    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(f.button->state(), ControlStateOff);
}

TEST(AnImageButton, leavesTheEnablingToTheHandlerWhenAsked) {
    IMGButtonFixture f;
    f.button->setEnableImmediately(false);
    QSignalSpy clicked(f.button, &QAbstractButton::clicked);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(f.button->isEnabled());
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(clicked.count(), 1) << "disabled until the handler enables it";
}

TEST(AnImageButton, onlyReEnablesWhenReleasedOutside) {
    IMGButtonFixture f;
    QSignalSpy clicked(f.button, &QAbstractButton::clicked);
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(120, 15));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(f.button->state(), ControlStateOff);
    EXPECT_TRUE(f.button->isEnabled());
}

TEST(AnImageButton, ignoresPressesWhileDisabled) {
    IMGButtonFixture f;
    f.button->setEnabled(false);
    QSignalSpy clicked(f.button, &QAbstractButton::clicked);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(40, 15));
    EXPECT_EQ(clicked.count(), 0);
}

TEST(AnImageButton, showsItsHoverOnlyWhileEnabled) {
    IMGButtonFixture f;
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(f.button, &enter);
    EXPECT_TRUE(f.button->isMouseHover());
    QApplication::sendEvent(f.button, &leave);
    EXPECT_FALSE(f.button->isMouseHover());
    f.button->setEnabled(false);
    QApplication::sendEvent(f.button, &enter);
    EXPECT_FALSE(f.button->isMouseHover());
}

TEST(ATitleFitting, breaksATitleOnceAtItsSeparator) {
    EXPECT_EQ(TitleFitting::twoLineTitle("Add", " "), "Add");
    EXPECT_EQ(TitleFitting::twoLineTitle("Add Photos", " "), "Add\nPhotos");
    EXPECT_EQ(TitleFitting::twoLineTitle("Add Photo Library", " "), "Add\nPhoto Library");
    EXPECT_EQ(TitleFitting::twoLineTitle("Add New Photo Library", " "), "Add New\nPhoto Library");
}

TEST(ATitleFitting, takesOnePointLessThanTheFirstSizeThatOverflows) {
    // "Start" is 3 × size wide: 100 points of width overflow first at size 34.
    const auto layout = TitleFitting::fit("Start", QRectF(0, 0, 100, 200), false, fakeMeasure, QApplication::font());
    ASSERT_TRUE(layout.hasAttributes);
    EXPECT_EQ(layout.font.pointSizeF(), 33);
    EXPECT_FALSE(layout.font.bold());
    EXPECT_NEAR(layout.textRect.top(), (200 - 1.2 * 33) / 2, 1e-9);
}

TEST(ATitleFitting, fallsToFourPointsWhenFiveAlreadyOverflows) {
    const auto layout = TitleFitting::fit("Start", QRectF(0, 0, 10, 200), false, fakeMeasure, QApplication::font());
    EXPECT_EQ(layout.font.pointSizeF(), 4);
}

TEST(ATitleFitting, givesUpWhenNothingOverflowsUpToFifty) {
    const auto layout = TitleFitting::fit("Go", QRectF(0, 0, 1000, 1000), false, fakeMeasure, QApplication::font());
    EXPECT_FALSE(layout.hasAttributes);
    EXPECT_EQ(layout.measured, QSizeF());
}

TEST(ATitleFitting, usesTheBoldFaceForMidWidthTitlesWhenAllowed) {
    // 12 characters: width 7.2 × size; the area height 40 overflows first at size 34 (width 244.8).
    const QRectF area(0, 0, 400, 40);
    const auto bold = TitleFitting::fit("Process Done", area, true, fakeMeasure, QApplication::font());
    EXPECT_TRUE(bold.font.bold());
    EXPECT_EQ(bold.font.pointSizeF(), 20);
    const auto plain = TitleFitting::fit("Process Done", area, false, fakeMeasure, QApplication::font());
    EXPECT_FALSE(plain.font.bold());
    EXPECT_EQ(plain.font.pointSizeF(), 33);
}

TEST(AnImageButtonTitle, breaksFourWordsIntoTwoLinesWhenThatIsLarger) {
    IMGButtonFixture f;
    f.button->resize(120, 60);
    f.button->setText("Add New Photo Library");
    const auto choice = f.button->titleChoice(fakeMeasure);
    EXPECT_TRUE(choice.twoLines);
    EXPECT_EQ(choice.text, "Add New\nPhoto Library");
    f.button->setText("Library");
    EXPECT_FALSE(f.button->titleChoice(fakeMeasure).twoLines) << "a one-word title stays on one line";
}

TEST(AThreePartImage, keepsTheCapsAndStretchesTheMiddle) {
    const auto r = ThreePartImage::layout(QRectF(0, 0, 100, 30), QSizeF(8, 30), QSizeF(10, 30));
    EXPECT_EQ(r.start, QRectF(0, 0, 8, 30));
    EXPECT_EQ(r.middle, QRectF(8, 0, 82, 30));
    EXPECT_EQ(r.end, QRectF(90, 0, 10, 30));
    const auto endOnly = ThreePartImage::layout(QRectF(0, 0, 14, 14), QSizeF(), QSizeF(14, 14));
    EXPECT_EQ(endOnly.end, QRectF(0, 0, 14, 14));
    EXPECT_EQ(endOnly.middle.width(), 0);
}

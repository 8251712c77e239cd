#include "controls/ANKnobAnimation.h"
#include "controls/ANSegmentedControl.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Steps every slide by hand through a few points in time and records how it was set up.
struct SlideRecorder {
    struct Slide {
        int start, range, durationMs;
        QEasingCurve::Type curve;
        std::vector<double> locations;
    };
    std::vector<Slide> slides;
    ANSegmentedControl* control = nullptr;

    ANSegmentedControl::SlideRunner runner() {
        return [this](ANKnobAnimation& a) {
            Slide s{a.start(), a.range(), a.duration(), a.easingCurve().type(), {}};
            for (int step = 0; step <= 4; ++step) {
                a.setCurrentTime(a.duration() * step / 4);
                s.locations.push_back(control->location());
            }
            slides.push_back(s);
        };
    }
};

struct Fixture {
    ANSegmentedControl control{4};
    SlideRecorder recorder;
    Fixture() {
        control.resize(400, 25);
        recorder.control = &control;
        control.setSlideRunner(recorder.runner());
        control.show();
    }
};

}  // namespace

TEST(ASegmentedControl, slidesFromTheLeftEndWithTheFastEasedSlide) {
    Fixture f;
    QSignalSpy action(&f.control, &ANSegmentedControl::actionTriggered);
    QTest::mouseClick(&f.control, Qt::LeftButton, {}, QPoint(250, 12));
    ASSERT_FALSE(f.recorder.slides.empty());
    const auto& slide = f.recorder.slides.front();
    EXPECT_EQ(slide.start, 0);
    EXPECT_EQ(slide.range, 200);
    EXPECT_EQ(slide.durationMs, 200);
    EXPECT_EQ(slide.curve, QEasingCurve::BezierSpline);
    EXPECT_EQ(slide.locations.back(), 200);
    EXPECT_GT(slide.locations[2], 0);
    EXPECT_LT(slide.locations[2], 200);
    EXPECT_EQ(f.control.selectedSegment(), 2);
    EXPECT_EQ(f.control.location(), 200);
    EXPECT_EQ(action.count(), 1);
}

TEST(ASegmentedControl, slidesLinearlyFromAMiddleSegment) {
    Fixture f;
    f.control.setSelectedSegment(1);
    f.recorder.slides.clear();
    QTest::mouseClick(&f.control, Qt::LeftButton, {}, QPoint(250, 12));
    ASSERT_FALSE(f.recorder.slides.empty());
    const auto& slide = f.recorder.slides.front();
    EXPECT_EQ(slide.durationMs, 117);  // 0.35 / 3 s
    EXPECT_EQ(slide.curve, QEasingCurve::Linear);
    EXPECT_NEAR(slide.locations[2], 150, 1);
    EXPECT_EQ(f.control.location(), 200);
}

TEST(ASegmentedControl, followsAKnobDragWithinTheTrackAndSnaps) {
    Fixture f;
    QSignalSpy action(&f.control, &ANSegmentedControl::actionTriggered);
    QTest::mousePress(&f.control, Qt::LeftButton, {}, QPoint(50, 12));
    QTest::mouseMove(&f.control, QPoint(-400, 12));
    EXPECT_EQ(f.control.location(), 0) << "never beyond the left end";
    QTest::mouseMove(&f.control, QPoint(-260, 12));
    EXPECT_EQ(f.control.location(), 140) << "moved by the pointer's travel since the last point";
    QTest::mouseRelease(&f.control, Qt::LeftButton, {}, QPoint(-260, 12));
    EXPECT_EQ(f.control.selectedSegment(), 1);
    EXPECT_EQ(f.control.location(), 100);
    EXPECT_EQ(action.count(), 1);
}

TEST(ASegmentedControl, ignoresADragThatStartsOffTheKnob) {
    Fixture f;
    QTest::mousePress(&f.control, Qt::LeftButton, {}, QPoint(350, 12));
    QTest::mouseMove(&f.control, QPoint(120, 12));
    EXPECT_EQ(f.control.location(), 0);
    QTest::mouseRelease(&f.control, Qt::LeftButton, {}, QPoint(120, 12));
    EXPECT_EQ(f.control.selectedSegment(), 3) << "the segment under the press point";
    EXPECT_EQ(f.control.location(), 300);
}

TEST(ASegmentedControl, stillSlidesAndActsOnTheSelectedSegment) {
    Fixture f;
    QSignalSpy action(&f.control, &ANSegmentedControl::actionTriggered);
    QTest::mouseClick(&f.control, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_EQ(f.recorder.slides.size(), 1u);
    EXPECT_EQ(f.recorder.slides.front().range, 0);
    EXPECT_EQ(action.count(), 1);
}

TEST(ASegmentedControl, movesOnlyWhenAnotherSegmentIsSelectedInCode) {
    Fixture f;
    f.control.setSelectedSegment(0);
    EXPECT_TRUE(f.recorder.slides.empty());
    f.control.setSelectedSegment(3);
    EXPECT_EQ(f.control.location(), 300);
    f.control.setSelectedSegment(9);
    EXPECT_EQ(f.control.selectedSegment(), 3);
}

TEST(ASegmentedControl, runsARealSlideToItsEndBeforeReturning) {
    ANSegmentedControl control(2);
    control.resize(200, 25);
    control.setFastAnimationDuration(0.0);
    control.show();
    control.setSelectedSegment(1);
    EXPECT_EQ(control.location(), 100);
}

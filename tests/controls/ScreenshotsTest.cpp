// Draws every control on its own, offscreen, and saves one picture per control into the build folder for a
// reviewer to look at. Each control must keep the geometry it was given and draw inside it.
#include "controls/ANSegmentedControl.h"
#include "controls/BackgroundTextField.h"
#include "controls/BlackView.h"
#include "controls/Color.h"
#include "controls/CustomCheckboxCell.h"
#include "controls/CustomDropDownTextField.h"
#include "controls/CustomScroll.h"
#include "controls/DragDropBox.h"
#include "controls/GRProgressIndicator.h"
#include "controls/HighlightedButton.h"
#include "controls/IMGButton.h"
#include "controls/ImageLibrary.h"
#include "controls/LinkButton.h"
#include "controls/MAAttachedWindow.h"
#include "controls/SubWindowState.h"
#include "controls/VLAppStoreWindow.h"
#include "controls/VisualEffectBacking.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPropertyAnimation>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

QString screenshotDir() {
    const QString dir = QString::fromUtf8(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

QWidget* darkPanel(QWidget* parent = nullptr) {
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(38, 38, 40));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    panel->setPalette(p);
    return panel;
}

// The smallest rectangle holding every pixel that differs from the picture's top-left corner.
QRect drawnBounds(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QIcon icon(const char* name) {
    return QIcon(ImageLibrary::resourcePath(QString::fromLatin1(name)));
}

IMGButton* threePartButton(QWidget* parent, const QString& title) {
    auto* button = new IMGButton(parent);
    button->setImgOffState_St("pi_leftFill");
    button->setImgOffState_Md("pi_centerFill");
    button->setImgOffState_En("pi_rightFill");
    button->setText(title);
    return button;
}

SubWindowState& noSubWindow() {
    static SubWindowState state;
    return state;
}

struct ControlCase {
    const char* name;
    QSize size;
    std::function<QWidget*(QWidget* parent)> make;
};

void PrintTo(const ControlCase& c, std::ostream* os) {
    *os << c.name;
}

const ControlCase kControls[] = {
    {"segmented_control",
     {330, 25},
     [](QWidget* parent) -> QWidget* {
         auto* control = new ANSegmentedControl(3, parent);
         control->setSlideRunner([](ANKnobAnimation&) {});
         control->setSelectedSegment(1, false);
         return control;
     }},
    {"image_button",
     {14, 14},
     [](QWidget* parent) -> QWidget* {
         auto* button = new IMGButton(parent);
         button->setImgOffState_En("close-normal");
         return button;
     }},
    {"three_part_button", {150, 50}, [](QWidget* parent) -> QWidget* { return threePartButton(parent, "Add Photos"); }},
    {"drop_box", {400, 90}, [](QWidget* parent) -> QWidget* { return new DragDropBox(parent); }},
    {"progress_indicator",
     {400, 20},
     [](QWidget* parent) -> QWidget* {
         auto* bar = new GRProgressIndicator(parent);
         bar->setDoubleValue(35.0);
         for (auto* glide : bar->findChildren<QPropertyAnimation*>()) glide->setCurrentTime(glide->duration());
         return bar;
     }},
    {"highlighted_button",
     {90, 34},
     [](QWidget* parent) -> QWidget* {
         auto* button = new HighlightedButton(102, parent);
         button->setSubWindowState(&noSubWindow());
         button->setImgNormalState(icon("unchecked_icon"));
         button->setImgSelectedState(icon("checked_icon"));
         button->awakeFromNib();
         button->setButtonHighlighted();
         return button;
     }},
    {"link_button", {150, 22}, [](QWidget* parent) -> QWidget* { return new LinkButton("Contact support", parent); }},
    {"checkbox",
     {19, 15},
     [](QWidget* parent) -> QWidget* {
         auto* box = new CustomCheckboxCell(parent);
         box->setCheckState(Qt::Checked);
         return box;
     }},
    {"background_text_field",
     {140, 26},
     [](QWidget* parent) -> QWidget* {
         auto* field = new BackgroundTextField(parent);
         field->setBorderColor(QColor(200, 60, 60));
         field->setText("ISO 400");
         return field;
     }},
    {"dropdown_text_field",
     {170, 26},
     [](QWidget* parent) -> QWidget* {
         auto* field = new CustomDropDownTextField(parent);
         field->setText("Auto white balance");
         return field;
     }},
    {"colour_button",
     {100, 26},
     [](QWidget* parent) -> QWidget* {
         auto* colour = new Color(parent);
         colour->setBGColor(QColor(44, 160, 26));
         colour->setTextColor(Qt::white);
         colour->setText("Apply");
         return colour;
     }},
    {"black_view", {200, 120}, [](QWidget* parent) -> QWidget* { return new BlackView(parent); }},
    {"custom_scroller",
     {14, 120},
     [](QWidget* parent) -> QWidget* {
         auto* scroller = new CustomScroll(Qt::Vertical, parent);
         scroller->setTag(101);
         scroller->setRange(0, 100);
         scroller->setPageStep(30);
         scroller->setValue(20);
         return scroller;
     }},
    {"visual_effect_backing",
     {240, 140},
     [](QWidget* parent) -> QWidget* {
         // A light page behind, so the translucent backing shows.
         auto* page = new QWidget(parent);
         page->setAutoFillBackground(true);
         page->setPalette(QPalette(QColor(235, 235, 235)));
         auto* panel = new QLabel("Preset", page);
         panel->setAlignment(Qt::AlignCenter);
         panel->setStyleSheet("color: white");
         panel->setGeometry(20, 20, 200, 100);
         VisualEffectBacking::addVisualEffectView(page, panel);
         return page;
     }},
};

class AControl : public ::testing::TestWithParam<ControlCase> {};

TEST_P(AControl, keepsItsGeometryAndDrawsInsideIt) {
    const ControlCase& c = GetParam();
    std::unique_ptr<QWidget> panel(darkPanel());
    panel->resize(c.size + QSize(20, 20));
    QWidget* control = c.make(panel.get());
    const QRect frame(QPoint(10, 10), c.size);
    control->setGeometry(frame);
    panel->show();
    QApplication::processEvents();

    EXPECT_EQ(control->geometry(), frame);
    const QImage picture = panel->grab().toImage();
    const QRect drawn = drawnBounds(picture);
    ASSERT_FALSE(drawn.isEmpty()) << "nothing was drawn";
    EXPECT_TRUE(frame.contains(drawn)) << "drawn outside its frame";
    EXPECT_TRUE(picture.copy(frame).save(screenshotDir() + '/' + c.name + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Controls, AControl, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AWindowWithATallTitleBar, keepsItsSizeAndDrawsTheBarAtTheTop) {
    VLAppStoreWindow window;
    window.resize(480, 260);
    window.setTitleBarHeight(38);
    window.setShowsTitle(true);
    window.setWindowTitle("Lumarind");
    window.setContentView(darkPanel());
    window.show();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    const QImage picture = window.grab().toImage();
    EXPECT_EQ(picture.size(), QSize(480, 260));
    // The bar is one colour band across the top, different from the content below it.
    EXPECT_NE(picture.pixel(240, 5), picture.pixel(240, 200));
    EXPECT_TRUE(picture.save(screenshotDir() + "/window_tall_title_bar.png"));
}

TEST(AnAttachedPopup, pointsAtItsPointFromTheSideItOpensOn) {
    QWidget parent;
    parent.setGeometry(0, 0, 900, 700);
    parent.show();
    auto* view = new QLabel("side 0");
    view->setAlignment(Qt::AlignCenter);
    view->resize(100, 50);
    const QPoint point(450, 350);
    std::unique_ptr<MAAttachedWindow> popup(MAAttachedWindow::create(view, point, &parent, 0, 5));
    popup->show();
    QApplication::processEvents();
    const QRect frame = popup->geometry();
    const QPoint target = parent.mapToGlobal(point);
    // It opens away from the point, never over it.
    EXPECT_FALSE(frame.contains(target));
    EXPECT_LE(std::abs(frame.center().x() - target.x()) + std::abs(frame.center().y() - target.y()),
              frame.width() + frame.height());
    EXPECT_TRUE(popup->grab().toImage().save(screenshotDir() + "/attached_popup.png"));
}

}  // namespace

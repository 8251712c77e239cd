// Renders every control offscreen and saves the pictures into the build folder, so that a reviewer can
// look at them; the assertions only make sure something visible was drawn.
#include "controls/ANSegmentedControl.h"
#include "controls/BackgroundTextField.h"
#include "controls/BlackView.h"
#include "controls/Color.h"
#include "controls/ColoredTableCell.h"
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

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSet>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QString screenshotDir() {
    const QString dir = QString::fromUtf8(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir;
}

// Enough distinct colours to tell a drawing from an empty or one-colour canvas.
int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

void save(const QImage& image, const QString& name) {
    const QString path = screenshotDir() + '/' + name + ".png";
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    EXPECT_GT(distinctColours(image), 4) << name.toStdString();
}

void save(QWidget& widget, const QString& name) {
    save(widget.grab().toImage(), name);
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

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(200, 200, 200));
    label->setPalette(p);
    return label;
}

}  // namespace

TEST(Screenshots, windowWithTheDefaultTallBar) {
    VLAppStoreWindow w;
    w.resize(480, 260);
    w.setTitleBarHeight(38);
    w.setShowsTitle(true);
    w.setWindowTitle("Lumarind");
    w.setContentView(darkPanel());
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    save(w, "window_default_bar");
}

TEST(Screenshots, segmentedControls) {
    QWidget* panel = darkPanel();
    panel->resize(360, 120);
    auto* layout = new QVBoxLayout(panel);
    for (int selected : {0, 1, 2}) {
        auto* control = new ANSegmentedControl(3, panel);
        control->setSlideRunner([](ANKnobAnimation&) {});
        control->setFixedWidth(330);
        layout->addWidget(control);
        control->resize(330, 25);
        control->setSelectedSegment(selected, false);
    }
    panel->show();
    QApplication::processEvents();
    save(*panel, "segmented_control");
    delete panel;
}

TEST(Screenshots, attachedPopupOnEverySide) {
    QWidget parent;
    parent.setGeometry(0, 0, 900, 700);
    parent.show();
    const int cellW = 280, cellH = 200;
    QImage canvas(cellW * 4, cellH * 4, QImage::Format_ARGB32);
    canvas.fill(QColor(232, 232, 232));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int side = 0; side <= 13; ++side) {
        const bool callersLook = side == 13;
        auto* view = new QLabel(callersLook ? "dropdown list" : QString("side %1").arg(side == 12 ? 12 : side));
        view->setAlignment(Qt::AlignCenter);
        view->resize(100, 50);
        QPalette p = view->palette();
        p.setColor(QPalette::WindowText, callersLook ? Qt::black : Qt::white);
        view->setPalette(p);
        const QPoint point(450, 350);
        std::unique_ptr<MAAttachedWindow> popup(
            MAAttachedWindow::create(view, point, &parent, callersLook ? 1 : side, callersLook ? 0 : 5));
        if (callersLook) {
            popup->setBackgroundColor(QColor(230, 230, 230));
            popup->setBorderColor(Qt::transparent);
            popup->setHasArrow(0.0f);
            popup->setCornerRadius(0);
            popup->setBorderWidth(1);
            popup->setBorderColor(QColor(160, 160, 160));
        }
        popup->show();
        QApplication::processEvents();
        const QImage shot = popup->grab().toImage();
        const QPoint cell((side % 4) * cellW, (side / 4) * cellH);
        const QPoint centre = cell + QPoint(cellW / 2, cellH / 2 + 10);
        const QPoint globalPoint = parent.mapToGlobal(point);
        painter.drawImage(centre + (popup->geometry().topLeft() - globalPoint), shot);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QPointF(centre), 3, 3);
        painter.setPen(Qt::darkGray);
        painter.drawText(cell + QPoint(6, 14), callersLook
                                                   ? "form dropdown look"
                                                   : QString("code %1 (resolved %2)").arg(side).arg(popup->side()));
    }
    painter.end();
    save(canvas, "attached_window_sides");
}

TEST(Screenshots, imageButtons) {
    QWidget* panel = darkPanel();
    panel->resize(420, 130);
    const QStringList stems{"close", "min", "max"};
    for (int look = 0; look < 3; ++look) {
        for (int i = 0; i < 3; ++i) {
            auto* b = new IMGButton(panel);
            b->setImgOffState_En(stems[i] + "-normal");
            b->setImgOnState_En(stems[i] + "-press");
            b->setImgOffStateDis_En(stems[i] + "-press");
            b->setImgMouseHover(stems[i] + "-hover");
            b->setGeometry(10 + i * 20 + look * 90, 10, 14, 14);
            if (look == 1) {
                QEvent enter(QEvent::Enter);
                QApplication::sendEvent(b, &enter);
            }
            if (look == 2) b->setState(ControlStateOn);
        }
        caption(QStringList{"normal", "hover", "on"}[look], panel)->move(10 + look * 90, 30);
    }
    auto* titled = new IMGButton(panel);
    titled->setImgOffState_St("pi_leftFill");
    titled->setImgOffState_Md("pi_centerFill");
    titled->setImgOffState_En("pi_rightFill");
    titled->setText("Add Photo Library");
    titled->setGeometry(10, 60, 150, 50);
    auto* small = new IMGButton(panel);
    small->setImgOffState_St("pi_leftFill");
    small->setImgOffState_Md("pi_centerFill");
    small->setImgOffState_En("pi_rightFill");
    small->setText("Start");
    small->setGeometry(180, 70, 90, 30);
    auto* disabled = new IMGButton(panel);
    disabled->setImgOffStateDis_St("pi_leftFill");
    disabled->setImgOffStateDis_Md("pi_centerFill");
    disabled->setImgOffStateDis_En("pi_rightFill");
    disabled->setText("Disabled");
    disabled->setEnabled(false);
    disabled->setGeometry(290, 70, 110, 30);
    panel->show();
    QApplication::processEvents();
    save(*panel, "image_buttons");
    delete panel;
}

TEST(Screenshots, dropBoxAndProgressIndicator) {
    QWidget* panel = darkPanel();
    panel->resize(420, 260);
    auto* layout = new QVBoxLayout(panel);
    auto* box = new DragDropBox(panel);
    box->setMinimumHeight(90);
    auto* boxLayout = new QVBoxLayout(box);
    auto* hint = caption("Drop photos or folders here", box);
    hint->setAlignment(Qt::AlignCenter);
    boxLayout->addWidget(hint);
    layout->addWidget(box);
    for (double value : {0.0, 35.0, 100.0}) {
        auto* bar = new GRProgressIndicator(panel);
        bar->setFixedHeight(20);
        bar->setDoubleValue(value);
        for (auto* glide : bar->findChildren<QPropertyAnimation*>()) glide->setCurrentTime(glide->duration());
        layout->addWidget(bar);
    }
    panel->show();
    QApplication::processEvents();
    save(*panel, "drop_box_and_progress");
    delete panel;
}

TEST(Screenshots, highlightedButtonsByTag) {
    QWidget* panel = darkPanel();
    panel->resize(560, 110);
    SubWindowState closed;
    const QIcon normal(ImageLibrary::resourcePath("unchecked_icon"));
    const QIcon selected(ImageLibrary::resourcePath("checked_icon"));
    int x = 10;
    for (int tag : {101, 102, 104, 105, 106}) {
        for (int hover = 0; hover < 2; ++hover) {
            auto* b = new HighlightedButton(tag, panel);
            b->setSubWindowState(&closed);
            b->setText(tag == 102 ? "" : QString::number(tag));
            b->setImgNormalState(tag == 102 ? normal : QIcon());
            b->setImgSelectedState(tag == 102 ? selected : QIcon());
            b->awakeFromNib();
            if (hover) b->setButtonHighlighted();
            b->setGeometry(x, 10 + hover * 45, 90, 34);
        }
        x += 108;
    }
    panel->show();
    QApplication::processEvents();
    save(*panel, "highlighted_buttons");
    delete panel;
}

TEST(Screenshots, smallControlsAndFields) {
    QWidget* panel = darkPanel();
    panel->resize(460, 230);
    auto* link = new LinkButton("Contact support", panel);
    link->setGeometry(10, 10, 150, 22);
    auto* blueLink = new LinkButton(QString(), panel);
    blueLink->setTitle("Learn more about presets", 13, false, QColor());
    blueLink->setGeometry(170, 10, 120, 22);
    auto* ticked = new CustomCheckboxCell(panel);
    ticked->setCheckState(Qt::Checked);
    ticked->setGeometry(300, 12, 19, 15);
    auto* unticked = new CustomCheckboxCell(panel);
    unticked->setGeometry(325, 12, 19, 15);
    auto* mixed = new CustomCheckboxCell(panel);
    mixed->setTristate(true);
    mixed->setCheckState(Qt::PartiallyChecked);
    mixed->setGeometry(350, 12, 19, 15);
    auto* field = new BackgroundTextField(panel);
    field->setBorderColor(QColor(200, 60, 60));
    field->setText("ISO 400");
    field->setGeometry(10, 50, 140, 26);
    auto* dropdown = new CustomDropDownTextField(panel);
    dropdown->setText("Auto white balance");
    dropdown->setGeometry(160, 50, 170, 26);
    auto* colour = new Color(panel);
    colour->setBGColor(QColor(44, 160, 26));
    colour->setTextColor(Qt::white);
    colour->setText("Apply");
    colour->setGeometry(340, 50, 100, 26);
    auto* backdrop = new BlackView(panel);
    backdrop->setGeometry(10, 90, 200, 120);
    caption("BlackView backdrop", backdrop)->move(40, 50);
    int x = 230;
    for (int tag : {101, 102, 0}) {
        auto* scroller = new CustomScroll(Qt::Vertical, panel);
        scroller->setTag(tag);
        scroller->setRange(0, 100);
        scroller->setPageStep(30);
        scroller->setValue(20);
        scroller->setGeometry(x, 90, 14, 120);
        x += 30;
    }
    panel->show();
    QApplication::processEvents();
    save(*panel, "small_controls");
    delete panel;
}

// Pictures of the first launch and of the main window with its add-photos window, saved into the build
// folder for a reviewer. Under a real display (QT_QPA_PLATFORM=xcb, e.g. in Xvfb) the screen itself is
// taken; offscreen, the windows are drawn one over the other where they stand.
#include "app/AddPhotosWindow.h"
#include "app/MainWindowController.h"
#include "app/QuickTourWindow.h"
#include "controls/VLAppStoreWindow.h"
#include "tests/app/AppFixtures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

using appfixtures::Shell;

namespace {

QImage picture(MainWindowController& window) {
    QWidget* main = window.windowMain();
    for (QWidget* w : {main, static_cast<QWidget*>(window.winAddPhotos()), static_cast<QWidget*>(window.winTips())}) {
        if (w->isVisible()) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        }
    }
    Shell::settle();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) return main->screen()->grabWindow(0).toImage();
    QImage image(main->size(), QImage::Format_ARGB32);
    image.fill(QColor(60, 60, 64));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, main->grab());
    for (QWidget* child : {static_cast<QWidget*>(window.winAddPhotos()), static_cast<QWidget*>(window.winTips())}) {
        if (child->isVisible()) painter.drawPixmap(child->pos() - main->pos(), child->grab());
    }
    return image;
}

void save(const QImage& image, const QString& name) {
    const QString dir = QStringLiteral(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    ASSERT_TRUE(image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png")));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 20) << name.toStdString();
}

}  // namespace

TEST(Screenshots, firstLaunchWithTheQuickTour) {
    Shell shell(
        {{QStringLiteral("isFirstTime"), QVariant()}, {QStringLiteral("phonenumber"), QStringLiteral("+1 555 0100")}});
    shell.launch(false);
    shell.delays.runAll();
    ASSERT_TRUE(shell.window().winTips()->isVisible());
    save(picture(shell.window()), QStringLiteral("app_first_launch_quick_tour"));
}

TEST(Screenshots, mainWindowWithTheAddPhotosWindow) {
    Shell shell({{QStringLiteral("phonenumber"), QStringLiteral("+1 555 0100")}});
    shell.launch(false);
    shell.delays.runAll();
    ASSERT_TRUE(shell.window().winAddPhotos()->isVisible());
    save(picture(shell.window()), QStringLiteral("app_main_window_add_photos"));
}

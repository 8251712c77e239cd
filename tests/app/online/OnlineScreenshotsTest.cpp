// Renders the feedback sheet and the promotion panel and saves the pictures into the build folder for a
// reviewer to look at; run the test program under a real X server to see them as a user does.
#include "app/AppDelegate.h"
#include "app/FeedbackWindowController.h"
#include "app/MainWindowController.h"
#include "app/OnlineServices.h"
#include "app/online/PromotionPanel.h"
#include "controls/VLAppStoreWindow.h"
#include "platform/UserDefaults.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void save(const QImage& image, const QString& name) {
    const QString dir = QString::fromUtf8(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    EXPECT_FALSE(image.isNull());
    ASSERT_TRUE(image.save(dir + '/' + name + ".png")) << name.toStdString();
}

void save(QWidget& widget, const QString& name) {
    save(widget.grab().toImage(), name);
}

struct ProductName {
    ProductName() : saved(QCoreApplication::applicationName()) { QCoreApplication::setApplicationName("Lumarind"); }
    ~ProductName() { QCoreApplication::setApplicationName(saved); }
    QString saved;
};

TEST(OnlineScreens, feedbackSheet) {
    ProductName product;
    FeedbackWindowController form(ServiceHosts::product(), [] { return true; });
    form.show();
    form.outlets().txtFBEmailID->setText("ME@example");
    form.outlets().btnFBType->setCurrentIndex(3);
    form.outlets().txtViewFBExp->setPlainText(
        "The renamed copies of my RAW photos keep the old date.\nSteps: add a folder, shift the date by one hour.");
    form.areThereEmptyFieldsForFeedback();
    EXPECT_TRUE(form.outlets().lblFBInvalidEmail->isVisible());
    save(form, "online_feedback");
    form.hide();
}

TEST(OnlineScreens, promotionPanel) {
    ProductName product;
    for (const auto& [name, installed] :
         {std::pair<QString, QStringList>{"online_promotion", {"clonewise"}},
          {"online_promotion_one_row", {"clonewise", "framefold", "tidyshelf", "resizely", "pixel-mender"}}}) {
        PromotionPanel panel(ServiceHosts::product());
        panel.setInstalledCheck([installed](const QString& app) { return installed.contains(app); });
        panel.showPanel();
        save(panel, name);
        panel.hide();
    }
}

// The sheet as the user meets it: over the main window, centred on it.
TEST(OnlineScreens, feedbackSheetOverTheMainWindow) {
    ProductName product;
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath("defaults.conf"));
    defaults.setValue("isFirstTime", "no");
    AppDelegate delegate(defaults);
    installOnlineServices(delegate, ServiceHosts::allOn(QUrl("http://127.0.0.1:1")));
    delegate.applicationDidFinishLaunching();
    delegate.myWindowController()->showFeedBackWindow();
    QWidget* main = delegate.myWindowController()->windowMain();
    auto* form = main->findChild<FeedbackWindowController*>();
    ASSERT_TRUE(form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_LT((form->frameGeometry().center() - main->frameGeometry().center()).manhattanLength(), 4);
    QCoreApplication::processEvents();
    save(main->screen()->grabWindow(0, main->x(), main->y(), main->width(), main->height()).toImage(),
         "online_feedback_over_main_window");
    form->close();
    main->hide();
}

}  // namespace

// Renders the feedback sheet and the promotion panel and saves the pictures into the build folder for a
// reviewer to look at; run the test program under a real X server to see them as a user does.
#include "app/online/FeedbackWindowController.h"
#include "app/online/PromotionPanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

void save(QWidget& widget, const QString& name) {
    const QString dir = QString::fromUtf8(LUMARIND_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull());
    ASSERT_TRUE(image.save(dir + '/' + name + ".png")) << name.toStdString();
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

}  // namespace

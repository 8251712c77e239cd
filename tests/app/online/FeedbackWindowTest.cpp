#include "LoopbackServer.h"
#include "tests/common/ScriptedPlatform.h"
#include "tests/common/TestSupport.h"

#include "app/FeedbackWindowController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class AFeedbackForm : public testing::Test {
  protected:
    FeedbackWindowController* openForm() {
        auto* form = new FeedbackWindowController(ServiceHosts::allOn(server.url()), [this] { return online; });
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        return form;
    }

    static void fill(FeedbackWindowController& form, const QString& email, int type, const QString& text) {
        form.outlets().txtFBEmailID->setText(email);
        form.outlets().btnFBType->setCurrentIndex(type);
        form.outlets().txtViewFBExp->setPlainText(text);
    }

    bool online = true;
    LoopbackServer server;
    testsupport::ScriptedAlerts alerts;
};

TEST_F(AFeedbackForm, staysOpenWithoutANetworkOrWithFailingFields) {
    FeedbackWindowController* form = openForm();
    const auto& ui = form->outlets();
    online = false;
    fill(*form, "me@mail.org", 1, "fine");
    ui.btnFBSubmit->click();
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText, "Internet Not Connected");
    EXPECT_EQ(alerts.shown.first().buttons, QStringList{"OK"});
    // Over the form the alert the application shows keeps its own looks: its text stands out from its ground.
    platform::AlertPresenter::install(nullptr);
    ui.btnFBSubmit->click();
    platform::AlertPresenter::install(&alerts);
    auto* box = form->findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Internet Not Connected");
    EXPECT_TRUE(testsupport::hasReadableText(*box));
    box->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.txtViewFBExp->toPlainText(), "fine");

    online = true;
    fill(*form, " ME@mail ", 0, "  \n ");
    ui.btnFBSubmit->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ui.txtFBEmailID->text(), "me@mail");
    EXPECT_TRUE(ui.lblFBInvalidEmail->isVisible());
    EXPECT_TRUE(ui.lblFBInvalidType->isVisible());
    EXPECT_TRUE(ui.lblFBInvalidExp->isVisible());
    EXPECT_EQ(server.connections, 0);
    form->close();
}

TEST_F(AFeedbackForm, sendsACheckedFeedbackAndClosesAtOnce) {
    FeedbackWindowController* form = openForm();
    QSignalSpy started(form, &FeedbackWindowController::uploadStarted);
    fill(*form, "  Me@Mail.org ", 3, "  It crashed  ");
    form->outlets().btnFBSendLogs->setChecked(false);
    form->outlets().btnFBSubmit->click();
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(started.size(), 1);

    auto* uploader = started.first().first().value<FeedbackUploader*>();
    QSignalSpy finished(uploader, &FeedbackUploader::finished);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.first().first().toBool());
    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray body = server.requests.first().body;
    EXPECT_TRUE(body.contains("&lt;email&gt;me@mail.org&lt;/email&gt;"));
    EXPECT_TRUE(body.contains("&lt;feedback_type&gt;I want to report a problem&lt;/feedback_type&gt;"));
    EXPECT_TRUE(body.contains("&lt;content&gt;It crashed&lt;/content&gt;"));
    EXPECT_TRUE(body.contains("&lt;logs_Data&gt;LOGSNOTSELECTED&lt;/logs_Data&gt;"));
}

}  // namespace

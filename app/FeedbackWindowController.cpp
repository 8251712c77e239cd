#include "app/FeedbackWindowController.h"

#include "app/ArtworkViews.h"
#include "app/online/Artwork.h"
#include "app/online/FeedbackAttachments.h"
#include "app/online/Logging.h"
#include "controls/CentredWindow.h"
#include "controls/SubWindowState.h"
#include "platform/Alerts.h"
#include "platform/Log.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace {

// The sheet is drawn as a dark rounded panel over the main window, like the shell's other windows.
constexpr int kCornerRadius = 10;

// Only the form's own children: an alert opened over the form keeps its own looks and stays readable.
constexpr char kStyle[] = R"(
#winFeedback > QLabel { color: #e6e6e6; font-size: 13px; }
#winFeedback > QLabel#heading { font-size: 18px; font-weight: 600; color: #ffffff; }
#winFeedback > QLabel#subheading { color: #a8a8a8; }
#winFeedback > QLabel#caption { color: #8c8c8c; font-size: 11px; font-weight: 600; letter-spacing: 1px; }
#winFeedback > QLabel#error { color: #ff7a6b; font-size: 12px; }
#winFeedback > QLineEdit, #winFeedback > QPlainTextEdit, #winFeedback > QComboBox {
  background: #1e1e20; color: #f0f0f0; border: 1px solid #4a4a4e; border-radius: 4px;
  padding: 4px 6px; font-size: 13px; selection-background-color: #2ca01a; }
#winFeedback > QLineEdit:focus, #winFeedback > QPlainTextEdit:focus, #winFeedback > QComboBox:focus {
  border-color: #2ca01a; }
#winFeedback > QComboBox::drop-down { border: none; width: 26px; }
#winFeedback > QComboBox::down-arrow { image: url(:/images/popup_arrow.svg); width: 12px; height: 8px; }
#winFeedback > QComboBox QAbstractItemView {
  background: #1e1e20; color: #f0f0f0; selection-background-color: #2ca01a; }
#winFeedback > QCheckBox { color: #d8d8d8; font-size: 13px; spacing: 8px; }
#winFeedback > QCheckBox::indicator { width: 15px; height: 15px; }
#winFeedback > QCheckBox::indicator:unchecked { image: url(:/images/unchecked_sq_icon_flip.svg); }
#winFeedback > QCheckBox::indicator:checked { image: url(:/images/checked_sq_icon_flip.svg); }
#winFeedback > QPushButton { color: #f0f0f0; background: #4a4a4e; border: none; border-radius: 4px;
  padding: 6px 18px; font-size: 13px; min-width: 72px; }
#winFeedback > QPushButton:hover { background: #58585c; }
#winFeedback > QPushButton#submit { background: #2ca01a; font-weight: 600; }
#winFeedback > QPushButton#submit:hover { background: #34b520; }
#winFeedback > QProgressBar { background: #1e1e20; border: none; border-radius: 2px; max-height: 4px; }
#winFeedback > QProgressBar::chunk { background: #2ca01a; }
)";

QLabel* label(const char* objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

// A field's caption with its error label at the right end of the same line.
QHBoxLayout* captionLine(QLabel* caption, QLabel* error) {
    auto* line = new QHBoxLayout;
    line->addWidget(caption);
    line->addStretch(1);
    line->addWidget(error);
    return line;
}

}  // namespace

FeedbackWindowController::FeedbackWindowController(const ServiceHosts& hosts, std::function<bool()> isInternetAvailable,
                                                   QWidget* parent)
    : CustomWindowNag(parent), m_hosts(hosts), m_isInternetAvailable(std::move(isInternetAvailable)) {
    setObjectName(QStringLiteral("winFeedback"));
    setWindowModality(Qt::WindowModal);
    Artwork::ensureRegistered();
    setStyleSheet(QString::fromLatin1(kStyle));
    buildInterface();
    openFeedbackWindow();
    convertUIAccordingToLocale();
}

void FeedbackWindowController::buildInterface() {
    Outlets& ui = m_ui;
    ui.lblFBType = label("caption", this);
    ui.lblFBHeading = label("heading", this);
    ui.lblFBSubHeading = label("subheading", this);
    ui.lblEmailAddress = label("", this);
    ui.txtFBEmailID = new QLineEdit(this);
    ui.lblFBInvalidEmail = label("error", this);
    ui.lblFeedBackType = label("", this);
    ui.btnFBType = new QComboBox(this);
    ui.lblFBInvalidType = label("error", this);
    ui.lblShareExperience = label("", this);
    ui.txtViewFBExp = new QPlainTextEdit(this);
    ui.lblFBInvalidExp = label("error", this);
    ui.btnFBSendLogs = new QCheckBox(this);
    ui.btnFBSendScanLog = new QCheckBox(this);
    ui.lblFBWait = label("subheading", this);
    ui.progressFB = new QProgressBar(this);
    ui.btnFBCancel = new QPushButton(this);
    ui.btnFBSubmit = new QPushButton(this);
    ui.btnFBSubmit->setObjectName(QStringLiteral("submit"));
    ui.progressFB->setRange(0, 0);
    ui.progressFB->setTextVisible(false);
    ui.txtViewFBExp->setTabChangesFocus(true);
    ui.txtViewFBExp->setMinimumHeight(130);
    ui.btnFBSendLogs->setChecked(true);
    layOutInterface();
    connect(ui.btnFBSubmit, &QPushButton::clicked, this, &FeedbackWindowController::submitFeedback);
    connect(ui.btnFBCancel, &QPushButton::clicked, this, &FeedbackWindowController::cancelFeedbackSheet);
}

void FeedbackWindowController::layOutInterface() {
    const Outlets& ui = m_ui;
    auto* icon = new QLabel(this);
    icon->setPixmap(Artwork::pixmap(QStringLiteral("feedback_icon"), QSize(44, 44), devicePixelRatioF()));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(ui.lblFBHeading);
    titles->addWidget(ui.lblFBSubHeading);
    auto* header = new QHBoxLayout;
    header->setSpacing(14);
    header->addWidget(icon, 0, Qt::AlignTop);
    header->addLayout(titles, 1);

    auto* buttons = new QHBoxLayout;
    auto* waiting = new QVBoxLayout;
    waiting->addWidget(ui.lblFBWait);
    waiting->addWidget(ui.progressFB);
    buttons->addLayout(waiting, 1);
    buttons->addSpacing(12);
    buttons->addWidget(ui.btnFBCancel);
    buttons->addWidget(ui.btnFBSubmit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 24);
    layout->setSpacing(6);
    layout->addWidget(ui.lblFBType);
    layout->addSpacing(6);
    layout->addLayout(header);
    layout->addSpacing(16);
    layout->addLayout(captionLine(ui.lblEmailAddress, ui.lblFBInvalidEmail));
    layout->addWidget(ui.txtFBEmailID);
    layout->addSpacing(10);
    layout->addLayout(captionLine(ui.lblFeedBackType, ui.lblFBInvalidType));
    layout->addWidget(ui.btnFBType);
    layout->addSpacing(10);
    layout->addLayout(captionLine(ui.lblShareExperience, ui.lblFBInvalidExp));
    layout->addWidget(ui.txtViewFBExp, 1);
    layout->addSpacing(10);
    layout->addWidget(ui.btnFBSendLogs);
    layout->addWidget(ui.btnFBSendScanLog);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    resize(540, 600);
}

void FeedbackWindowController::openFeedbackWindow() {
    for (QWidget* hidden : {static_cast<QWidget*>(m_ui.lblFBInvalidEmail), static_cast<QWidget*>(m_ui.lblFBInvalidType),
                            static_cast<QWidget*>(m_ui.lblFBInvalidExp), static_cast<QWidget*>(m_ui.lblFBWait),
                            static_cast<QWidget*>(m_ui.progressFB)})
        hidden->hide();
    m_ui.txtViewFBExp->clear();
}

void FeedbackWindowController::convertUIAccordingToLocale() {
    const QString product = QCoreApplication::applicationName();
    m_ui.lblFBHeading->setText(QStringLiteral("Submit your feedback for ") + product);
    m_ui.lblFBSubHeading->setText(QStringLiteral("Your experience is highly appreciated."));
    m_ui.lblFBType->setText(QStringLiteral("Feedback"));
    m_ui.lblEmailAddress->setText(QStringLiteral("Email Address"));
    m_ui.lblFeedBackType->setText(QStringLiteral("Please Select Feedback Type"));
    m_ui.lblShareExperience->setText(QStringLiteral("Share your experience"));
    m_ui.btnFBSendLogs->setText(QStringLiteral("Include ") + product + QStringLiteral(" log in the feedback"));
    m_ui.btnFBSendScanLog->setText(QStringLiteral("Send usage information for product improvment"));
    m_ui.lblFBWait->setText(QStringLiteral("Your feedback is being sent, please wait."));
    m_ui.lblFBInvalidEmail->setText(QStringLiteral("*Invalid Email Address"));
    m_ui.lblFBInvalidType->setText(QStringLiteral("*Please Select Feedback Type"));
    m_ui.lblFBInvalidExp->setText(QStringLiteral("*Please share your experience"));
    m_ui.btnFBSubmit->setText(QStringLiteral("Submit"));
    m_ui.btnFBCancel->setText(QStringLiteral("Cancel"));
    m_ui.btnFBType->clear();
    m_ui.btnFBType->addItems({QStringLiteral("*Please Select Feedback Type"), QStringLiteral("General Feedback"),
                              QStringLiteral("I feel good whenever I use it"),
                              QStringLiteral("I want to report a problem"),
                              QStringLiteral("Unable to understand the problem")});
}

bool FeedbackWindowController::areThereEmptyFieldsForFeedback() {
    const FeedbackCheck check = FeedbackChecks::areThereEmptyFieldsForFeedback(
        {m_ui.txtFBEmailID->text(), m_ui.btnFBType->currentIndex(), m_ui.txtViewFBExp->toPlainText()});
    m_ui.txtFBEmailID->setText(check.entries.email);
    if (m_ui.txtViewFBExp->toPlainText() != check.entries.text) m_ui.txtViewFBExp->setPlainText(check.entries.text);
    m_ui.lblFBInvalidEmail->setVisible(check.invalidEmail);
    m_ui.lblFBInvalidType->setVisible(check.invalidType);
    m_ui.lblFBInvalidExp->setVisible(check.invalidText);
    return check.failed();
}

void FeedbackWindowController::submitFeedback() {
    if (!m_isInternetAvailable()) {
        platform::Alert alert;
        alert.messageText = QStringLiteral("Internet Not Connected");
        alert.buttons = {QStringLiteral("OK")};
        platform::AlertPresenter::shared().beginSheet(alert, this, {});
        return;
    }
    if (areThereEmptyFieldsForFeedback()) return;
    m_ui.lblFBWait->show();
    m_ui.progressFB->show();
    extractInfoAndSendFeedback();
    cancelFeedbackSheet();
}

void FeedbackWindowController::cancelFeedbackSheet() {
    m_ui.lblFBWait->hide();
    m_ui.progressFB->hide();
    close();
}

FeedbackSubmission FeedbackWindowController::prepareSubmission() const {
    FeedbackSubmission submission;
    FeedbackDocument& document = submission.document;
    document.appName = QCoreApplication::applicationName();
    document.appVersion = QCoreApplication::applicationVersion();
    document.email = m_ui.txtFBEmailID->text();
    document.feedbackType = m_ui.btnFBType->currentText();
    document.content = m_ui.txtViewFBExp->toPlainText();
    document.buyNowUrl = m_hosts.productPageUrl(document.appName);
    if (m_ui.btnFBSendLogs->isChecked()) submission.logPath = platform::logFilePath();
    if (m_ui.btnFBSendScanLog->isChecked()) submission.usageReportPath = FeedbackAttachments::usageReportPath();
    submission.now = QDateTime::currentDateTime();
    submission.today = submission.now.date();
    submission.fileNumber = int(QRandomGenerator::global()->bounded(1000));
    return submission;
}

void FeedbackWindowController::extractInfoAndSendFeedback() {
    // Parented to the application, not to the sheet: the upload goes on after the sheet has closed, and ends
    // with the application at the latest.
    auto* uploader = new FeedbackUploader(m_hosts, 60000, QCoreApplication::instance());
    connect(uploader, &FeedbackUploader::finished, uploader, &QObject::deleteLater);
    emit uploadStarted(uploader);
    uploader->send(prepareSubmission());
}

void FeedbackWindowController::setWindowInCenterOfWindow(QWidget* other) {
    CentredWindow::centreOver(this, other);
}

void FeedbackWindowController::showEvent(QShowEvent* event) {
    SubWindowState::shared().setIsSubWindowOpened(true);
    CustomWindowNag::showEvent(event);
}

void FeedbackWindowController::hideEvent(QHideEvent* event) {
    SubWindowState::shared().setIsSubWindowOpened(false);
    CustomWindowNag::hideEvent(event);
}

void FeedbackWindowController::resizeEvent(QResizeEvent* event) {
    ArtworkViews::roundWindowCorners(this, kCornerRadius);
    CustomWindowNag::resizeEvent(event);
}

void FeedbackWindowController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.fillPath(panel, QColor(38, 38, 40));
    painter.setPen(QColor(80, 80, 84));
    painter.drawPath(panel);
}

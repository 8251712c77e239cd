#include "app/online/PromotionPanel.h"

#include "app/online/Artwork.h"
#include "app/online/Logging.h"
#include "app/online/SystemInfo.h"
#include "app/online/Tracker.h"
#include "controls/CustomButton.h"
#include "controls/WindowCloseButton.h"
#include "platform/Workspace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>

namespace {

// The panel's grid: rows of recommendations, then the social block and the bottom bar, which move up
// together when fewer rows are shown.
constexpr int kWidth = 480;
constexpr int kHeight = 520;
constexpr int kMargin = 24;
constexpr int kRowTop = 116;
constexpr int kRowStep = 129;
constexpr int kSocialTop = kRowTop + 2 * kRowStep;
constexpr int kBottomTop = kSocialTop + 80;
constexpr QSize kLogoSize(64, 64);

constexpr char kStyle[] = R"(
PromotionPanel { background: #ffffff; }
QLabel { color: #2b2b2b; font-size: 13px; }
QLabel#thanks { color: #8a8a8a; font-size: 12px; }
QLabel#appName { font-size: 22px; font-weight: 700; color: #1c1c1c; }
QLabel#section { color: #6b6b6b; font-size: 12px; font-weight: 700; letter-spacing: 1px; }
QLabel#rowName { font-size: 15px; font-weight: 600; color: #1c1c1c; }
QLabel#rowDesc { color: #5c5c5c; }
QFrame#line { color: #e3e3e3; }
QPushButton#get { background: #2ca01a; color: #ffffff; border: none; border-radius: 15px; font-weight: 600;
  font-size: 13px; padding: 0 14px; }
QPushButton#get:hover { background: #34b520; }
QPushButton#quit { background: #efefef; color: #2b2b2b; border: 1px solid #d6d6d6; border-radius: 4px;
  font-size: 13px; }
QPushButton#quit:hover { background: #e4e4e4; }
QPushButton#social { border: none; background: transparent; }
QCheckBox { color: #4a4a4a; font-size: 12px; }
)";

QLabel* label(const char* objectName, QWidget* parent, const QRect& frame) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setGeometry(frame);
    return label;
}

CustomButton* socialButton(const QString& artwork, const QString& tip, QWidget* parent, const QPoint& at) {
    auto* button = new CustomButton(parent);
    button->setObjectName(QStringLiteral("social"));
    button->setIcon(QIcon(Artwork::pixmap(artwork, QSize(32, 32), parent->devicePixelRatioF())));
    button->setIconSize(QSize(32, 32));
    button->setToolTip(tip);
    button->setGeometry(QRect(at, QSize(36, 36)));
    return button;
}

QFrame* horizontalLine(QWidget* parent, const QRect& frame) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(frame);
    return line;
}

}  // namespace

PromotionPanel::PromotionPanel(const ServiceHosts& hosts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_hosts(hosts), m_isInstalled(isApplicationInstalledWithName) {
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromLatin1(kStyle));
    setWindowTitle(QCoreApplication::applicationName());
    buildInterface();
}

void PromotionPanel::buildInterface() {
    // In the top right corner, clear of the greeting.
    m_ui.btnClose = new WindowCloseButton(this);
    m_ui.btnClose->move(kWidth - 10 - m_ui.btnClose->width(), 10);
    label("thanks", this, {kMargin, 22, 300, 18})->setText(QStringLiteral("Thank you for using"));
    m_ui.lblAppName = label("appName", this, {kMargin, 40, kWidth - 2 * kMargin, 32});
    m_ui.lblOurRecommendedApps = label("section", this, {kMargin, 88, 300, 18});
    m_ui.lblOurRecommendedApps->setText(QStringLiteral("OUR RECOMMENDED APPS"));
    buildRows();
    buildSocialBlockAndBottomBar();
    setFixedSize(kWidth, kHeight);

    const Outlets& ui = m_ui;
    connect(ui.btnFirst, &QPushButton::clicked, this, &PromotionPanel::btnfirstAppClicked);
    connect(ui.btnSecond, &QPushButton::clicked, this, &PromotionPanel::btnSecondAppClicked);
    connect(ui.btnThird, &QPushButton::clicked, this, &PromotionPanel::btnThirdAppClicked);
    for (QPushButton* social : {ui.btnFaceBookLike, ui.btnFaceBookShare, ui.btnTwitter})
        connect(social, &QPushButton::clicked, this, [this, social] { btnFaceBookRightPanelClicked(social); });
    connect(ui.btnQuit, &QPushButton::clicked, this, &PromotionPanel::btnQuitApp);
}

void PromotionPanel::buildRows() {
    Outlets& ui = m_ui;
    QLabel** names[] = {&ui.lblFirstAppName, &ui.lblSecondAppName, &ui.lblThirdAppName};
    QLabel** descriptions[] = {&ui.lblFirstAppDesc, &ui.lblSecondAppDesc, &ui.lblThirdAppDesc};
    QLabel** logos[] = {&ui.imgViewFirst, &ui.imgViewSecond, &ui.imgViewThird};
    QPushButton* buttons[3] = {};
    for (int row = 0; row < 3; ++row) {
        const int top = kRowTop + row * kRowStep;
        *logos[row] = label("", this, {QPoint(kMargin, top), kLogoSize});
        *names[row] = label("rowName", this, {kMargin + 80, top + 4, 250, 22});
        *descriptions[row] = label("rowDesc", this, {kMargin + 80, top + 28, 250, 40});
        (*descriptions[row])->setWordWrap(true);
        (*descriptions[row])->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        buttons[row] = row < 2 ? new CustomButton(this) : new QPushButton(this);
        buttons[row]->setObjectName(QStringLiteral("get"));
        buttons[row]->setText(QStringLiteral("Get it"));
        buttons[row]->setGeometry(kWidth - kMargin - 84, top + 17, 84, 30);
        for (QWidget* part : {static_cast<QWidget*>(*logos[row]), static_cast<QWidget*>(*names[row]),
                              static_cast<QWidget*>(*descriptions[row]), static_cast<QWidget*>(buttons[row])})
            part->hide();
    }
    ui.btnFirst = static_cast<CustomButton*>(buttons[0]);
    ui.btnSecond = static_cast<CustomButton*>(buttons[1]);
    ui.btnThird = buttons[2];
    ui.secondHorizontalLine = horizontalLine(this, {kMargin, kRowTop + kRowStep - 28, kWidth - 2 * kMargin, 1});
    ui.secondHorizontalLine->hide();
}

void PromotionPanel::buildSocialBlockAndBottomBar() {
    Outlets& ui = m_ui;
    ui.lblConnectWithUs = label("section", this, {kMargin, kSocialTop, 200, 18});
    ui.lblConnectWithUs->setText(QStringLiteral("CONNECT WITH US"));
    ui.lblSpreadTheword = label("section", this, {kWidth / 2, kSocialTop, 200, 18});
    ui.lblSpreadTheword->setText(QStringLiteral("SPREAD THE WORD"));
    ui.btnFaceBookLike =
        socialButton(QStringLiteral("social_like"), QStringLiteral("Like us"), this, {kMargin - 2, kSocialTop + 26});
    ui.btnFaceBookShare =
        socialButton(QStringLiteral("social_share"), QStringLiteral("Share"), this, {kWidth / 2 - 2, kSocialTop + 26});
    ui.btnTwitter = socialButton(QStringLiteral("social_twitter"), QStringLiteral("Tell your followers"), this,
                                 {kWidth / 2 + 40, kSocialTop + 26});

    QFrame* bottomLine = horizontalLine(this, {0, kBottomTop, kWidth, 1});
    ui.btnCheckDontShow = new QCheckBox(QStringLiteral("Don't show this again"), this);
    ui.btnCheckDontShow->setGeometry(kMargin, kBottomTop + 22, 260, 22);
    ui.btnQuit = new QPushButton(QStringLiteral("Quit"), this);
    ui.btnQuit->setObjectName(QStringLiteral("quit"));
    ui.btnQuit->setGeometry(kWidth - kMargin - 84, kBottomTop + 18, 84, 30);
    m_belowRows = {ui.lblConnectWithUs, ui.lblSpreadTheword, ui.btnFaceBookLike,  ui.btnFaceBookShare,
                   ui.btnTwitter,       bottomLine,          ui.btnCheckDontShow, ui.btnQuit};
}

bool PromotionPanel::isApplicationInstalledWithName(const QString& name) {
    return !QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name + QStringLiteral(".desktop")).isEmpty();
}

void PromotionPanel::showPanel() {
    m_installed.clear();
    for (const PromotionCandidate& candidate : PromotionCatalog::candidates(m_hosts)) {
        bool installed = false;
        for (const QString& name : candidate.desktopNames) installed = installed || m_isInstalled(name);
        m_installed.append(installed);
    }
    setApplicationNameAndImage();
    // It takes the place of the main window, which has just gone: in the middle of the screen, not wherever
    // the window system happens to put a new window.
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void PromotionPanel::setApplicationNameAndImage() {
    m_ui.lblAppName->setText(QCoreApplication::applicationName());
    const QList<PromotionCandidate> candidates = PromotionCatalog::candidates(m_hosts);
    const PromotionLayout layout = PromotionLayout::forInstalled(m_installed);
    for (QWidget* part : {static_cast<QWidget*>(m_ui.lblFirstAppName), static_cast<QWidget*>(m_ui.lblFirstAppDesc),
                          static_cast<QWidget*>(m_ui.imgViewFirst), static_cast<QWidget*>(m_ui.btnFirst),
                          static_cast<QWidget*>(m_ui.lblSecondAppName), static_cast<QWidget*>(m_ui.lblSecondAppDesc),
                          static_cast<QWidget*>(m_ui.imgViewSecond), static_cast<QWidget*>(m_ui.btnSecond)})
        part->hide();
    for (int position = 0; position < layout.rows.size(); ++position)
        setContent(candidates.at(layout.rows.at(position)), position);
    m_ui.lblOurRecommendedApps->setVisible(layout.headingVisible);
    m_ui.secondHorizontalLine->setVisible(layout.separatorVisible);
    placeSocialBlock(layout.socialShift);
}

void PromotionPanel::setContent(const PromotionCandidate& candidate, int position) {
    m_ui.lblConnectWithUs->show();
    m_ui.lblSpreadTheword->show();
    QLabel* name = nullptr;
    QLabel* description = nullptr;
    QLabel* logo = nullptr;
    QPushButton* button = nullptr;
    switch (position) {
        case 0:
            name = m_ui.lblFirstAppName, description = m_ui.lblFirstAppDesc, logo = m_ui.imgViewFirst;
            button = m_ui.btnFirst, m_urlFirstBtn = QUrl(candidate.storeUrl);
            break;
        case 1:
            name = m_ui.lblSecondAppName, description = m_ui.lblSecondAppDesc, logo = m_ui.imgViewSecond;
            button = m_ui.btnSecond, m_urlSecondBtn = QUrl(candidate.storeUrl);
            m_ui.secondHorizontalLine->show();
            break;
        case 2:
            name = m_ui.lblThirdAppName, description = m_ui.lblThirdAppDesc, logo = m_ui.imgViewThird;
            button = m_ui.btnThird, m_urlThirdBtn = QUrl(candidate.storeUrl);
            break;
        default:
            return;
    }
    name->setText(candidate.name);
    description->setText(candidate.description);
    logo->setPixmap(Artwork::pixmap(candidate.logo, kLogoSize, devicePixelRatioF()));
    for (QWidget* part : {static_cast<QWidget*>(name), static_cast<QWidget*>(description), static_cast<QWidget*>(logo),
                          static_cast<QWidget*>(button)})
        part->show();
}

void PromotionPanel::placeSocialBlock(int shift) {
    const int delta = m_shift - shift;  // the panel may be filled again: move from where the block is now
    for (QWidget* part : m_belowRows) part->move(part->x(), part->y() + delta);
    m_shift = shift;
    setFixedSize(kWidth, kHeight - shift);
}

void PromotionPanel::openAndTrack(const QUrl& url, const QString& appName) {
    if (!url.isEmpty()) platform::openWebPage(url, this);
    const auto product = PromotionCatalog::getAppTrackName(appName);
    if (!product) {
        qCInfo(lcOnline).noquote() << "no tracking code for " + appName;
        return;
    }
    fireProductTracking(QString::fromLatin1(PromotionCatalog::kButton), *product,
                        QString::fromLatin1(PromotionCatalog::kFromId));
}

void PromotionPanel::btnfirstAppClicked() {
    openAndTrack(m_urlFirstBtn, m_ui.lblFirstAppName->text());
}

void PromotionPanel::btnSecondAppClicked() {
    openAndTrack(m_urlSecondBtn, m_ui.lblSecondAppName->text());
}

void PromotionPanel::btnThirdAppClicked() {
    openAndTrack(m_urlThirdBtn, m_ui.lblThirdAppName->text());
}

void PromotionPanel::btniTunesClicked() {
    platform::openWebPage(QUrl(PromotionCatalog::phoneAppStoreUrl(m_hosts)), this);
    fireProductTracking(QString::fromLatin1(PromotionCatalog::kButton), PromotionCatalog::phoneAppTrackName(),
                        QString::fromLatin1(PromotionCatalog::kFromId));
}

void PromotionPanel::btnFaceBookRightPanelClicked(QObject* sender) {
    QString page;
    if (sender == m_ui.btnFaceBookLike || sender == m_ui.btnFaceBookShare) {
        page = PromotionCatalog::facebookPageUrl(m_hosts);
    } else if (sender == m_ui.btnTwitter) {
        page = PromotionCatalog::twitterPageUrl(m_hosts);
    }
    if (!page.isEmpty()) platform::openWebPage(QUrl(page), this);
}

void PromotionPanel::btnTorvaneAppcenterTapped(int tag) {
    const QString page = PromotionCatalog::appCenterUrl(tag, m_hosts);
    if (!page.isEmpty()) platform::openWebPage(QUrl(page), this);
}

QString PromotionPanel::getURLForTATTracking() const {
    return m_baseTrackURL.isEmpty() ? QString() : m_baseTrackURL + QStringLiteral("/CrossTracking");
}

void PromotionPanel::fireProductTracking(const QString& button, const TrackName& product,
                                         const QString& fromProductId) {
    m_lastTrackingRecord = PromotionCatalog::clickRecord(button, product, fromProductId, SystemInfo::getSerialNumber());
    Tracker::openURLAsync(getURLForTATTracking(), m_lastTrackingRecord);
}

void PromotionPanel::btnQuitApp() {
    close();
}

void PromotionPanel::closeEvent(QCloseEvent* event) {
    event->accept();
    emit panelClosed();
}

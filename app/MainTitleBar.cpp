#include "app/MainTitleBar.h"

#include "app/ArtworkViews.h"
#include "app/ProductInfo.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "controls/TitlebarGeometry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace {

const QColor kHeaderColour(20, 20, 20, int(0.99 * 255));
const QColor kDimTextColour(160, 160, 160);
constexpr int kSideMargin = 14;

}  // namespace

MainTitleBar::MainTitleBar(QWidget* parent) : QWidget(parent) {
    m_dragArea = new MouseDownView(this);

    auto* titleBox = new QWidget(this);
    titleBox->setObjectName(QStringLiteral("titleBox"));
    titleBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* titleLayout = new QHBoxLayout(titleBox);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(8);
    titleLayout->addWidget(ArtworkViews::picture(QStringLiteral("app_logo"), titleBox));
    m_title = ArtworkViews::label(ProductInfo::bundleName(), 13, true, titleBox);
    titleLayout->addWidget(m_title);

    m_contactSupport = new QWidget(this);
    m_contactSupport->setObjectName(QStringLiteral("viewContactSupport"));
    auto* contactLayout = new QHBoxLayout(m_contactSupport);
    contactLayout->setContentsMargins(0, 0, 0, 0);
    contactLayout->setSpacing(6);
    contactLayout->addWidget(ArtworkViews::picture(QStringLiteral("support_phone"), m_contactSupport));
    m_tipsPopup = ArtworkViews::label(QStringLiteral("Support:"), 10, false, m_contactSupport, kDimTextColour);
    m_tipsPopup->setObjectName(QStringLiteral("tipsPopupView"));
    contactLayout->addWidget(m_tipsPopup);
    m_contactNumber = ArtworkViews::label(QString(), 11, false, m_contactSupport);
    m_contactNumber->setObjectName(QStringLiteral("lblContactNumber"));
    // The number comes from a server: never read as markup.
    m_contactNumber->setTextFormat(Qt::PlainText);
    m_contactNumber->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_contactNumber->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    contactLayout->addWidget(m_contactNumber);

    m_menuButton = ArtworkViews::imageButton(QStringLiteral("menu"), this);
    m_menuButton->setObjectName(QStringLiteral("btnMenu"));
    m_menuButton->setToolTip(QStringLiteral("Help, quick tour and more"));
    m_menu = new QMenu(this);
    // The button sits at the window's right edge: the menu opens leftwards under it, over the window, and not
    // out past the window's edge.
    connect(m_menuButton, &QAbstractButton::clicked, this, [this] {
        const int menuWidth = m_menu->sizeHint().width();
        m_menu->popup(m_menuButton->mapToGlobal(QPoint(m_menuButton->width() - menuWidth, m_menuButton->height() + 4)));
    });
    relayout();
}

void MainTitleBar::relayout() {
    m_dragArea->setGeometry(rect());
    m_dragArea->lower();
    QWidget* titleBox = findChild<QWidget*>(QStringLiteral("titleBox"));
    titleBox->adjustSize();
    titleBox->move((width() - titleBox->width()) / 2, (height() - titleBox->height()) / 2);

    m_menuButton->move(width() - kSideMargin - m_menuButton->width(), (height() - m_menuButton->height()) / 2);
    m_contactSupport->adjustSize();
    m_contactSupport->move(m_menuButton->x() - 18 - m_contactSupport->width(),
                           (height() - m_contactSupport->height()) / 2);
}

void MainTitleBar::resizeEvent(QResizeEvent*) {
    relayout();
}

void MainTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(TitlebarGeometry::roundedTopPath(QRectF(rect()), 5.0), kHeaderColour);
}

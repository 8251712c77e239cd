#include "app/QuickTourWindow.h"

#include "app/ArtworkViews.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "platform/Workspace.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTextBrowser>

namespace {

const QSize kWindowSize(760, 560);
constexpr int kDragStripHeight = 40;
constexpr int kInset = 1;

}  // namespace

QuickTourWindow::QuickTourWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("winTips"));
    setWindowTitle(QStringLiteral("Quick Tour"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWindowSize);

    m_dragArea = new MouseDownView(this);
    m_dragArea->setObjectName(QStringLiteral("vwMouseDownTips"));
    m_dragArea->setGeometry(0, 0, width(), kDragStripHeight);
    auto* title = ArtworkViews::label(QStringLiteral("Quick Tour"), 13, true, this);
    title->adjustSize();
    title->move((width() - title->width()) / 2, (kDragStripHeight - title->height()) / 2);

    m_close = ArtworkViews::imageButton(QStringLiteral("close"), this);
    m_close->setObjectName(QStringLiteral("btnCloseTips"));
    m_close->setToolTip(QStringLiteral("Close the tour"));
    m_close->move(14, (kDragStripHeight - m_close->height()) / 2);
    connect(m_close, &QAbstractButton::clicked, this, &QuickTourWindow::closeQuickTourClicked);

    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("webViewTips"));
    m_page->setGeometry(kInset, kDragStripHeight, width() - 2 * kInset, height() - kDragStripHeight - kInset);
    m_page->setFrameShape(QFrame::NoFrame);
    // Every link comes here first: "app:" links are calls into the application, not pages.
    m_page->setOpenLinks(false);
    m_page->setOpenExternalLinks(false);
    // The tour is read, not copied from.
    m_page->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_page, &QTextBrowser::anchorClicked, this, &QuickTourWindow::followLink);
}

void QuickTourWindow::showPage() {
    if (!m_loaded) {
        m_page->setSource(pageUrl());
        m_loaded = true;
        return;
    }
    if (m_page->isBackwardAvailable()) m_page->backward();
}

void QuickTourWindow::followLink(const QUrl& url) {
    if (url.scheme() == QLatin1String("app")) {
        if (url.path() == QLatin1String("torvanelinkClicked")) emit torvanelinkClicked();
        if (url.path() == QLatin1String("closeQuickTourClicked")) emit closeQuickTourClicked();
        return;
    }
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        platform::Workspace::shared().openURL(url);
        return;
    }
    // Links within the tour: its sections and its other pages.
    m_page->setSource(m_page->source().resolved(url));
}

void QuickTourWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(panel, QColor(32, 32, 35));
    painter.setPen(QColor(70, 70, 74));
    painter.drawPath(panel);
}

void QuickTourWindow::closeEvent(QCloseEvent* event) {
    // Closed by the window system: the controller decides where the user goes next.
    event->ignore();
    emit closeQuickTourClicked();
}

void QuickTourWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closeQuickTourClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

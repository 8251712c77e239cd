#include "app/QuickTourWindow.h"

#include "app/ArtworkViews.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "platform/Workspace.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTextBrowser>

namespace {

const QSize kWindowSize(760, 560);
constexpr int kDragStripHeight = 40;
constexpr int kInset = 1;

}  // namespace

QuickTourWindow::QuickTourWindow(QWidget* mainWindow)
    : FloatingPanel(mainWindow, kWindowSize, kDragStripHeight, 8, QColor(32, 32, 35)) {
    setObjectName(QStringLiteral("winTips"));
    setWindowTitle(QStringLiteral("Quick Tour"));
    dragStrip()->setObjectName(QStringLiteral("vwMouseDownTips"));
    auto* title = ArtworkViews::label(QStringLiteral("Quick Tour"), 13, true, this);
    title->adjustSize();
    title->move((width() - title->width()) / 2, (kDragStripHeight - title->height()) / 2);

    closeButton()->setObjectName(QStringLiteral("btnCloseTips"));
    closeButton()->setToolTip(QStringLiteral("Close the tour"));
    connect(closeButton(), &QAbstractButton::clicked, this, &QuickTourWindow::closeQuickTourClicked);

    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("webViewTips"));
    m_page->setGeometry(kInset, kDragStripHeight, width() - 2 * kInset, height() - kDragStripHeight - kInset);
    m_page->setFrameShape(QFrame::NoFrame);
    m_page->document()->setDocumentMargin(18);
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
        platform::openWebPage(url, this);
        return;
    }
    // Links within the tour: its sections and its other pages.
    m_page->setSource(m_page->source().resolved(url));
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

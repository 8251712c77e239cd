#include "editor/OptionPopup.h"

#include "controls/OutsideClickWatch.h"

#include "controls/MAAttachedWindow.h"

#include <QApplication>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStringListModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The popups' fill: calibrated grey 230/255, no border.
const QColor kPopupFill = QColor::fromRgbF(230 / 255.0f, 230 / 255.0f, 230 / 255.0f, 1.0f);
constexpr int kRowHeight = 30;
// A row's text keeps this much room on its left and right.
constexpr int kTextLeft = 10;
constexpr int kTextRight = 6;

// A row of the list: its text on the popup's fill, the row under the pointer lit.
class OptionRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), kRowHeight);
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        if (option.state & QStyle::State_MouseOver) painter->fillRect(option.rect, QColor(0xc8, 0xd7, 0xea));
        painter->setPen(QColor(0x1e, 0x1e, 0x1e));
        const QRect text = option.rect.adjusted(kTextLeft, 0, -kTextRight, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        painter->restore();
    }
};

}  // namespace

OptionPopup::OptionPopup(QWidget* host, const QString& viewName, const QString& tableName)
    : QObject(host), m_host(host) {
    m_clicks = new OutsideClickWatch(
        [this](const QWidget* widget, const QPointF&) {
            // A list opened from this one takes the clicks meant for it.
            return (m_dependent && m_dependent->isOpen()) || widget->window() == m_window;
        },
        [this] { closeOnOutsidePress(); }, this);
    m_view = new QWidget(host);
    m_view->setObjectName(viewName);
    m_view->hide();
    auto* layout = new QVBoxLayout(m_view);
    layout->setContentsMargins(0, 3, 0, 3);
    m_table = new QListView(m_view);
    m_table->setObjectName(tableName);
    m_model = new QStringListModel(m_table);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setUniformItemSizes(true);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setItemDelegate(new OptionRowDelegate(m_table));
    m_table->setMouseTracking(true);
    m_table->setStyleSheet(QStringLiteral("QListView { background: transparent; border: none; }"));
    layout->addWidget(m_table);
    connect(m_table, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit rowChosen(index.row());
    });
}

OptionPopup::~OptionPopup() {
    m_clicks->stop();
    // The popup goes with its screen, and so does the list: a window on its way out must not hand the list
    // back into a screen that is going itself (a closed window may still wait for its deletion at the end).
    delete m_view;
    delete m_window;
    delete m_closing;
}

bool OptionPopup::isOpen() const {
    return !m_window.isNull();
}

MAAttachedWindow* OptionPopup::window() const {
    return m_window.data();
}

QStringList OptionPopup::rows() const {
    return m_model->stringList();
}

void OptionPopup::setRows(const QStringList& rows) {
    m_model->setStringList(rows);
}

void OptionPopup::setViewSize(int width, int height) {
    m_view->resize(width, height);
}

int OptionPopup::rowsWidth() const {
    int widest = 0;
    for (const QString& row : m_model->stringList())
        widest = std::max(widest, m_table->fontMetrics().horizontalAdvance(row));
    // The view's own frame and a scroll bar, should the list ever scroll, must not cut the text either.
    return widest + kTextLeft + kTextRight + 2 * m_table->frameWidth() +
           m_table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void OptionPopup::open(const QPointF& point, const Look& look) {
    close();
    QWidget* window = m_host->window();
    m_window = MAAttachedWindow::create(m_view, m_host->mapTo(window, point), window, look.side, 0);
    if (!m_window) return;
    if (look.opener.isValid())
        m_window->setOpenerFrame(QRectF(m_host->mapTo(window, look.opener.topLeft()), look.opener.size()));
    m_window->setBorderColor(Qt::transparent);
    m_window->setBackgroundColor(kPopupFill);
    m_window->setHasArrow(look.hasArrow ? 1.0f : 0.0f);
    m_window->setCornerRadius(look.cornerRadius);
    // Without an arrow the list hangs right at the point, with no room kept for one.
    m_window->setArrowHeight(look.hasArrow ? look.arrowHeight : 0);
    m_window->setHasShadow(false);
    m_window->show();
    m_window->raise();
    m_clicks->start();
    m_table->scrollToTop();
}

void OptionPopup::close() {
    m_clicks->stop();
    if (!m_window) return;
    MAAttachedWindow* window = m_window;
    m_window = nullptr;
    window->hide();
    // The choice that closes the popup is still being handled inside it.
    delete m_closing;
    m_closing = window;
    window->deleteLater();
    // The view goes home with the window's end; until then it must not show inside the screen.
    m_view->hide();
    emit closed();
}

void OptionPopup::closeOnOutsidePress() {
    if (!m_window) return;
    close();
    emit dismissed();
}

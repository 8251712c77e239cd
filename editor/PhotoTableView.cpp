#include "editor/PhotoTableView.h"

#include "controls/QtOneShotTimer.h"
#include "editor/PhotoRowDelegate.h"
#include "editor/PhotoTableActions.h"
#include "editor/PhotoTableModel.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>

PhotoTableView::PhotoTableView(QWidget* parent)
    : QListView(parent),
      m_timer(std::make_unique<QtOneShotTimer>()),
      m_clicks(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    setObjectName(QStringLiteral("tblPhotos"));
    setItemDelegate(new PhotoRowDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    setWordWrap(false);
    setMouseTracking(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every row has one height, so a list of 100,000 photos is laid out by arithmetic alone.
    setUniformItemSizes(true);
    verticalScrollBar()->setSingleStep(PhotoRowDelegate::kRowHeight / 4);
    setStyleSheet(QStringLiteral("QListView { background: #2b2b2b; border: none; }"));
}

PhotoTableView::~PhotoTableView() = default;

void PhotoTableView::setPhotoModel(PhotoTableModel* model) {
    m_model = model;
    setModel(model);
}

void PhotoTableView::setClickTimer(std::unique_ptr<OneShotTimer> timer) {
    if (m_timer) m_timer->stop();
    m_timer = timer ? std::move(timer) : std::make_unique<QtOneShotTimer>();
}

QList<int> PhotoTableView::visibleRows() const {
    QList<int> rows;
    if (!model() || model()->rowCount() == 0) return rows;
    const int first = std::max(0, indexAt(QPoint(1, 0)).row());
    int last = indexAt(QPoint(1, viewport()->height() - 1)).row();
    if (last < 0) last = model()->rowCount() - 1;
    for (int row = first; row <= last; ++row) rows.append(row);
    return rows;
}

QWidget* PhotoTableView::referenceView() const {
    return parentWidget() ? parentWidget() : const_cast<PhotoTableView*>(this);
}

void PhotoTableView::press(QMouseEvent* event, bool toolkitDoubleClick) {
    event->accept();
    const QPoint at = event->position().toPoint();
    const int row = indexAt(at).row();
    if (event->button() == Qt::RightButton) {
        if (row >= 0) emit infoTapped(referenceView()->mapFromGlobal(event->globalPosition()), row, true);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (row >= 0) {
        const QRect rowRect = visualRect(model()->index(row, 0));
        const QRect more = PhotoRowDelegate::moreRect(rowRect);
        if (more.contains(at)) {
            const QRectF inReference(viewport()->mapTo(referenceView(), QPointF(more.topLeft())), QSizeF(more.size()));
            emit infoTapped(PhotoTableActions::photoMenuAnchor(inReference), row, false);
            return;
        }
    }
    const int count = m_clicks.press(event->timestamp(), event->position(), toolkitDoubleClick);
    // A later click of the same series replaces the pending report.
    m_timer->stop();
    m_timer->start(kClickWaitMs, [this, row, count] {
        if (count == 1) {
            if (row >= 0) emit rowClicked(row);
        } else {
            emit rowDoubleClicked(row);
        }
    });
}

void PhotoTableView::selectAll() {
    emit selectAllRequested();
}

void PhotoTableView::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void PhotoTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

void PhotoTableView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void PhotoTableView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void PhotoTableView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    emit boundsChanged();
}

void PhotoTableView::scrollContentsBy(int dx, int dy) {
    QListView::scrollContentsBy(dx, dy);
    emit boundsChanged();
}

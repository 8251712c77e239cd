#include "controls/PhotoThumbnailCell.h"

#include "controls/Logging.h"
#include "controls/PhotoThumbnailCellDelegate.h"
#include "controls/QtOneShotTimer.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleHints>
#include <QVBoxLayout>

PhotoThumbnailCell::PhotoThumbnailCell(QWidget* parent)
    : QWidget(parent),
      m_txtName(new QLabel(this)),
      m_txtPath(new QLabel(this)),
      m_image(new QLabel(this)),
      m_bgPhoto(new QLabel(this)),
      m_checkButton(new QPushButton(this)),
      m_btnMore(new QPushButton(this)),
      m_vwSelectedState(new QWidget(this)),
      m_timer(std::make_unique<QtOneShotTimer>()),
      m_clicks(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    m_vwSelectedState->setFixedWidth(3);
    m_vwSelectedState->hide();
    // The tick follows the row's single click; the box itself only shows it.
    m_checkButton->setFlat(true);
    m_checkButton->setFixedSize(20, 20);
    m_checkButton->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_image->setFixedSize(96, 70);
    m_image->setAlignment(Qt::AlignCenter);
    m_bgPhoto->setGeometry(0, 0, 96, 70);
    m_bgPhoto->lower();
    m_btnMore->setFlat(true);
    m_btnMore->setFixedSize(22, 22);
    m_btnMore->setToolTip(QStringLiteral("More options"));
    m_btnMore->setCursor(Qt::PointingHandCursor);
    m_txtPath->setTextFormat(Qt::PlainText);
    m_txtName->setTextFormat(Qt::PlainText);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_txtName);
    texts->addWidget(m_txtPath);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 4, 6, 4);
    layout->addWidget(m_vwSelectedState);
    layout->addWidget(m_checkButton);
    layout->addWidget(m_image);
    layout->addLayout(texts, 1);
    layout->addWidget(m_btnMore);
    connect(m_btnMore, &QPushButton::clicked, this, &PhotoThumbnailCell::btnInfoTapped);
}

PhotoThumbnailCell::~PhotoThumbnailCell() = default;

void PhotoThumbnailCell::setClickTimer(std::unique_ptr<OneShotTimer> timer) {
    if (m_timer) m_timer->stop();
    m_timer = timer ? std::move(timer) : std::make_unique<QtOneShotTimer>();
}

void PhotoThumbnailCell::btnCheckBoxSelect(int clickCount) {
    // A later click of the same series replaces the pending report.
    m_timer->stop();
    m_timer->start(kClickWaitMs, [this, clickCount] { btnClicked(clickCount); });
}

void PhotoThumbnailCell::btnClicked(int clickCount) {
    qCDebug(lcControls).noquote() << QStringLiteral("click count = %1").arg(clickCount);
    // A negative row number switches the row's clicks off; its info button still reports.
    if (!m_delegate || m_rowTag < 0) return;
    if (clickCount == 1) {
        m_delegate->btnCheckBoxSelect(this);
    } else {
        m_delegate->cellDoubleClicked(this);
    }
}

QAbstractItemView* PhotoThumbnailCell::tableView() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* view = qobject_cast<QAbstractItemView*>(w)) return view;
    }
    return nullptr;
}

qint64 PhotoThumbnailCell::row() const {
    QAbstractItemView* table = tableView();
    if (!table) return -1;
    const QPoint centre = mapTo(table->viewport(), rect().center());
    return table->indexAt(centre).row();
}

QWidget* PhotoThumbnailCell::referenceView() const {
    QAbstractItemView* table = tableView();
    if (!table) return window();
    return table->parentWidget() ? table->parentWidget() : table;
}

void PhotoThumbnailCell::btnInfoTapped() {
    QWidget* reference = referenceView();
    const QPointF location = mapTo(reference, m_btnMore->pos());
    if (m_delegate) m_delegate->btnInfoTappedAtLocationInTableView(location, row(), false);
}

void PhotoThumbnailCell::press(QMouseEvent* event, bool toolkitDoubleClick) {
    event->accept();
    if (event->button() == Qt::RightButton) {
        QWidget* reference = referenceView();
        const QPointF location = reference->mapFromGlobal(event->globalPosition());
        if (m_delegate) m_delegate->btnInfoTappedAtLocationInTableView(location, row(), true);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    btnCheckBoxSelect(m_clicks.press(event->timestamp(), event->position(), toolkitDoubleClick));
}

void PhotoThumbnailCell::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void PhotoThumbnailCell::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

#include "editor/ErrorFileDelegate.h"

#include "controls/ImageLibrary.h"
#include "editor/ErrorSummaryModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {
constexpr int kMargin = 10;
constexpr int kImage = 20;
}  // namespace

QRect ErrorFileDelegate::imageRect(const QRect& row) {
    return {row.left() + kMargin, row.center().y() - kImage / 2, kImage, kImage};
}

QRect ErrorFileDelegate::fileNameRect(const QRect& row) {
    const int left = row.left() + kMargin * 2 + kImage;
    return {left, row.top() + 8, row.right() - left - kMargin, 20};
}

QRect ErrorFileDelegate::messageRect(const QRect& row) {
    const QRect name = fileNameRect(row);
    return {name.left(), name.bottom() + 2, name.width(), row.bottom() - name.bottom() - 6};
}

void ErrorFileDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect row = option.rect;
    painter->fillRect(row, index.row() % 2 ? QColor(0x33, 0x33, 0x33) : QColor(0x2b, 0x2b, 0x2b));
    ImageLibrary::draw(*painter, index.data(ErrorSummaryModel::ImageRole).toString(), imageRect(row));
    QFont font = option.font;
    painter->setFont(font);
    painter->setPen(QColor(0xee, 0xee, 0xee));
    const QRect name = fileNameRect(row);
    painter->drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideMiddle, name.width()));
    font.setPointSizeF(font.pointSizeF() * 0.92);
    painter->setFont(font);
    const bool warning = index.data(ErrorSummaryModel::WarningRole).toBool();
    painter->setPen(warning ? warningColor() : errorColor());
    const QRect message = messageRect(row);
    const QString text = QFontMetrics(font).elidedText(index.data(ErrorSummaryModel::MessageRole).toString(),
                                                       Qt::ElideRight, message.width());
    painter->drawText(message, Qt::AlignLeft | Qt::AlignTop, text);
    painter->setPen(QColor(0x44, 0x44, 0x44));
    painter->drawLine(row.bottomLeft(), row.bottomRight());
    painter->restore();
}

QSize ErrorFileDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), ErrorSummaryModel::kRowHeight};
}

bool ErrorFileDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip && messageRect(option.rect).contains(event->pos())) {
        const QString tip = index.data(ErrorSummaryModel::MessageToolTipRole).toString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(event->globalPos(), tip, view);
        }
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

#include "editor/ErrorFileDelegate.h"

#include "controls/ImageLibrary.h"
#include "editor/ErrorSummaryModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargin = 10;
constexpr int kImage = 20;
constexpr int kMessageBottomMargin = 6;

// A path or a word longer than the row still breaks, rather than running out of it.
QTextOption messageOption() {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// The width the list gives its rows: a list lays its rows out before it hands them a rectangle.
int rowWidth(const QStyleOptionViewItem& option) {
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget)) return view->viewport()->width();
    return option.rect.width();
}
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
    painter->setFont(messageFont(option.font));
    const bool warning = index.data(ErrorSummaryModel::WarningRole).toBool();
    painter->setPen(warning ? warningColor() : errorColor());
    painter->drawText(QRectF(messageRect(row)), index.data(ErrorSummaryModel::MessageRole).toString(), messageOption());
    painter->setPen(QColor(0x44, 0x44, 0x44));
    painter->drawLine(row.bottomLeft(), row.bottomRight());
    painter->restore();
}

QSize ErrorFileDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int width = rowWidth(option);
    const QRect row(0, 0, width, ErrorSummaryModel::kRowHeight);
    const int message = messageHeight(index.data(ErrorSummaryModel::MessageRole).toString(), messageFont(option.font),
                                      messageRect(row).width());
    return {width, std::max(ErrorSummaryModel::kRowHeight, messageRect(row).top() + message + kMessageBottomMargin)};
}

QFont ErrorFileDelegate::messageFont(const QFont& rowFont) {
    QFont font = rowFont;
    font.setPointSizeF(font.pointSizeF() * 0.92);
    return font;
}

int ErrorFileDelegate::messageHeight(const QString& message, const QFont& font, int width) {
    QTextLayout layout(message, font);
    layout.setTextOption(messageOption());
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1));
        height += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height));
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

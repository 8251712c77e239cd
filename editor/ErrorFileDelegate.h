#pragma once

#include <QStyledItemDelegate>

// Paints a row of the summary's list in the look of ErrorFileTableCell: the status picture, the photo's path
// and under it the message, red for an error and yellow for a warning. A message too long for one line
// wraps and the row grows to hold all of it; its tool tip shows it too.
class ErrorFileDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static QColor errorColor() { return QColor(0xff, 0x5a, 0x52); }
    static QColor warningColor() { return QColor(0xf5, 0xc5, 0x18); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Where the parts of a row lie within its rectangle.
    static QRect imageRect(const QRect& row);
    static QRect fileNameRect(const QRect& row);
    static QRect messageRect(const QRect& row);
    // The message's font, and the height of its text wrapped to width.
    static QFont messageFont(const QFont& rowFont);
    static int messageHeight(const QString& message, const QFont& font, int width);
};

#pragma once

#include <QRect>
#include <QStyledItemDelegate>

// Paints one photo row the way a photo cell looks (tick, thumbnail on its backdrop, name, path, the more
// button, the ticked marker) straight from the model, so no widget exists per row.
class PhotoRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 100;

    explicit PhotoRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Over the more button the tip names the button; elsewhere on the row it is the photo's name.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Where the parts of a row lie, for painting and for telling clicks apart.
    static QRect selectedStateRect(const QRect& row);  // vwSelectedState
    static QRect checkRect(const QRect& row);          // checkButton
    static QRect imageRect(const QRect& row);          // image, 96 x 70
    static QRect moreRect(const QRect& row);           // btnMore
    static QRect nameRect(const QRect& row);           // txtName
    static QRect pathRect(const QRect& row);           // txtPath
    // bgPhoto: a backdrop of the image view's size, moved by half of what the picture leaves free.
    static QRectF backdropRect(const QRectF& imageView, const QSizeF& picture);
    // The picture fitted inside the image view, centred.
    static QRectF pictureRect(const QRectF& imageView, const QSizeF& picture);
};

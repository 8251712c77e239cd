#include "editor/PhotoRowDelegate.h"

#include "controls/ImageLibrary.h"
#include "editor/PhotoTableModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QToolTip>

namespace {

const QColor kRowBackground(0x2b, 0x2b, 0x2b);
const QColor kTickedBackground(0x33, 0x36, 0x33);
const QColor kSeparator(0x3a, 0x3a, 0x3a);
const QColor kTickedMarker(0x2c, 0xa0, 0x1a);
const QColor kBackdrop(0x3a, 0x3a, 0x3a);
const QColor kNameColour(0xf0, 0xf0, 0xf0);
const QColor kPathColour(0x9a, 0x9a, 0x9a);

}  // namespace

PhotoRowDelegate::PhotoRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRect PhotoRowDelegate::selectedStateRect(const QRect& row) {
    return QRect(row.left(), row.top(), 3, row.height());
}

QRect PhotoRowDelegate::checkRect(const QRect& row) {
    return QRect(row.left() + 12, row.center().y() - 10, 20, 20);
}

QRect PhotoRowDelegate::imageRect(const QRect& row) {
    return QRect(row.left() + 42, row.center().y() - 35, 96, 70);
}

QRect PhotoRowDelegate::moreRect(const QRect& row) {
    return QRect(row.right() - 6 - 22, row.center().y() - 11, 22, 22);
}

QRect PhotoRowDelegate::nameRect(const QRect& row) {
    const int left = imageRect(row).right() + 12;
    return QRect(left, row.center().y() - 20, moreRect(row).left() - 8 - left, 20);
}

QRect PhotoRowDelegate::pathRect(const QRect& row) {
    const QRect name = nameRect(row);
    return QRect(name.left(), name.bottom() + 3, name.width(), 18);
}

QRectF PhotoRowDelegate::backdropRect(const QRectF& imageView, const QSizeF& picture) {
    return QRectF(imageView.x() + (imageView.width() - picture.width()) * 0.5,
                  imageView.y() + (imageView.height() - picture.height()) * 0.5, imageView.width(), imageView.height());
}

QRectF PhotoRowDelegate::pictureRect(const QRectF& imageView, const QSizeF& picture) {
    if (picture.isEmpty()) return imageView;
    const QSizeF fitted = picture.scaled(imageView.size(), Qt::KeepAspectRatio);
    return QRectF(imageView.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

bool PhotoRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) {
    if (event && event->type() == QEvent::ToolTip && moreRect(option.rect).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), QStringLiteral("More options"), view->viewport(), moreRect(option.rect));
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

QSize PhotoRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), kRowHeight);
}

void PhotoRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QRect row = option.rect;
    const bool ticked = index.data(PhotoTableModel::SelectedRole).toBool();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->fillRect(row, ticked ? kTickedBackground : kRowBackground);
    painter->fillRect(QRect(row.left(), row.bottom(), row.width(), 1), kSeparator);
    if (ticked) painter->fillRect(selectedStateRect(row), kTickedMarker);

    ImageLibrary::draw(*painter, ticked ? QStringLiteral("checked_icon") : QStringLiteral("unchecked_icon"),
                       checkRect(row));

    const QRectF imageView = imageRect(row);
    const QImage thumbnail = index.data(PhotoTableModel::ThumbnailRole).value<QImage>();
    if (!thumbnail.isNull()) {
        const QRectF picture = pictureRect(imageView, thumbnail.deviceIndependentSize());
        painter->fillRect(picture.adjusted(-2, -2, 2, 2), kBackdrop);
        painter->drawImage(picture, thumbnail);
    } else {
        const bool failed = index.data(PhotoTableModel::ThumbnailFailedRole).toBool();
        ImageLibrary::draw(*painter, failed ? QStringLiteral("not_av_small") : QStringLiteral("place_holder"),
                           imageView);
    }

    QFont nameFont = option.font;
    nameFont.setBold(true);
    painter->setFont(nameFont);
    painter->setPen(kNameColour);
    const QRect name = nameRect(row);
    painter->drawText(
        name, Qt::AlignLeft | Qt::AlignVCenter,
        painter->fontMetrics().elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, name.width()));
    QFont pathFont = option.font;
    pathFont.setPointSizeF(std::max(7.0, option.font.pointSizeF() - 1));
    painter->setFont(pathFont);
    painter->setPen(kPathColour);
    const QRect path = pathRect(row);
    painter->drawText(path, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(index.data(PhotoTableModel::FilePathRole).toString(),
                                                        Qt::ElideMiddle, path.width()));
    ImageLibrary::draw(*painter, QStringLiteral("more_options"), moreRect(row));
    painter->restore();
}

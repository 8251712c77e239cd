#include "presets/PresetRowDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "controls/ColoredTableCell.h"
#include "controls/PresetCell.h"

namespace {

const QColor kSelectedBand(28, 28, 28);
const QColor kAccent(44, 160, 26);
const QColor kName(150, 150, 150);
const QColor kRule(58, 58, 58);

}  // namespace

PresetRowDelegate::PresetRowDelegate(QAbstractItemView* view, Rename rename)
    : QStyledItemDelegate(view), m_view(view), m_rename(std::move(rename)) {}

void PresetRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF row = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) {
        const QRectF band = ColoredTableCell::selectionRect(row);
        painter->fillRect(band, kSelectedBand);
        painter->fillRect(QRectF(band.left(), band.top(), 3, band.height()), kAccent);
    }
    painter->setPen(kRule);
    painter->drawLine(QPointF(row.left() + 10, row.bottom()), QPointF(row.right() - 10, row.bottom()));
    QFont font = option.font;
    font.setBold(selected);
    painter->setFont(font);
    painter->setPen(selected ? QColor(Qt::white) : kName);
    const QRectF text = row.adjusted(14, 0, -10, 0);
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetrics(font).elidedText(name, Qt::ElideRight, int(text.width())));
    painter->restore();
}

QSize PresetRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
}

QWidget* PresetRowDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* cell = new PresetCell(parent);
    // A plain widget paints a style sheet's background only when asked to; else the row's own name, painted
    // beneath, shows through beside the field.
    cell->setAttribute(Qt::WA_StyledBackground);
    cell->setStyleSheet(QStringLiteral("PresetCell { background: #1c1c1c; }"));
    QLineEdit* name = cell->txtName();
    name->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; padding: 2px 4px; }"));
    name->setMaxLength(500);
    name->installEventFilter(const_cast<PresetRowDelegate*>(this));
    cell->setFocusProxy(name);
    m_open.insert(name, QPersistentModelIndex(index));
    return cell;
}

void PresetRowDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* cell = static_cast<PresetCell*>(editor);
    cell->txtName()->setText(index.data(Qt::EditRole).toString());
    cell->txtName()->selectAll();
}

void PresetRowDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    auto* cell = static_cast<PresetCell*>(editor);
    if (m_rename) m_rename(index.row(), cell->txtName()->text());
}

void PresetRowDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(0, 8, 0, -8));
}

void PresetRowDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    m_open.remove(static_cast<PresetCell*>(editor)->txtName());
    QStyledItemDelegate::destroyEditor(editor, index);
}

PresetCell* PresetRowDelegate::openCell() const {
    for (auto it = m_open.cbegin(); it != m_open.cend(); ++it) {
        if (it.value().isValid() && m_view->indexWidget(it.value()))
            return static_cast<PresetCell*>(m_view->indexWidget(it.value()));
    }
    return nullptr;
}

bool PresetRowDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && m_open.contains(watched)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another application or a menu taking the focus for a moment does not end the typing.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            finishEditing(static_cast<PresetCell*>(static_cast<QWidget*>(watched)->parentWidget()));
        return false;
    }
    if (event->type() == QEvent::KeyPress && m_open.contains(watched)) {
        // The keys that end typing end it for the whole cell, the editor the list knows; the base filter
        // would hand the list the name field instead, which it does not know.
        auto* cell = static_cast<PresetCell*>(static_cast<QWidget*>(watched)->parentWidget());
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                finishEditing(cell);
                return true;
            case Qt::Key_Escape:
                emit closeEditor(cell, QAbstractItemDelegate::RevertModelCache);
                return true;
            default:
                return false;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

void PresetRowDelegate::finishEditing(PresetCell* cell) {
    const QPersistentModelIndex index = m_open.value(cell->txtName());
    // The view may be closing the cell already (another row chosen, the list reloaded).
    if (!index.isValid() || m_view->indexWidget(index) != cell) return;
    emit commitData(cell);
    emit closeEditor(cell);
}

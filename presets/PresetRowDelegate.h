#pragma once

#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

class PresetCell;
class QAbstractItemView;

// Draws the rows of the preset list and lends a PresetCell to type a preset's new name in. The name is handed
// over when typing ends: on Return, when the focus leaves the row, or when another row is chosen.
class PresetRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 48;

    using Rename = std::function<void(int row, const QString& name)>;
    PresetRowDelegate(QAbstractItemView* view, Rename rename);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // The row's cell while its name is being typed, or nullptr.
    PresetCell* openCell() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finishEditing(PresetCell* cell);

    QAbstractItemView* m_view;
    Rename m_rename;
    mutable QHash<QObject*, QPersistentModelIndex> m_open;  // the name field of each open cell
};

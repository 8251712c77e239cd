#include "presets/PresetListModel.h"

#include "presets/PresetListController.h"

PresetListModel::PresetListModel(const PresetListController& presets, QObject* parent)
    : QAbstractListModel(parent), m_presets(presets), m_rows(static_cast<int>(presets.arrayPresets().size())) {}

int PresetListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

QVariant PresetListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_presets.arrayPresets().size()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole)
        return m_presets.arrayPresets().at(index.row()).name;
    return {};
}

Qt::ItemFlags PresetListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void PresetListModel::reload() {
    beginResetModel();
    m_rows = static_cast<int>(m_presets.arrayPresets().size());
    endResetModel();
}

void PresetListModel::presetInserted(int row) {
    beginInsertRows({}, row, row);
    m_rows = static_cast<int>(m_presets.arrayPresets().size());
    endInsertRows();
}

void PresetListModel::presetRemoved(int row) {
    beginRemoveRows({}, row, row);
    m_rows = static_cast<int>(m_presets.arrayPresets().size());
    endRemoveRows();
}

void PresetListModel::presetChanged(int row) {
    emit dataChanged(index(row), index(row));
}

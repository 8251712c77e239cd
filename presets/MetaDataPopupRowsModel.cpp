#include "presets/MetaDataPopupRowsModel.h"

#include <QColor>

void MetaDataPopupRowsModel::setRows(const QList<MetaDataPopupContent::Row>& rows) {
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int MetaDataPopupRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int MetaDataPopupRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant MetaDataPopupRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    const MetaDataPopupContent::Row& row = m_rows.at(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return index.column() == TitleColumn ? row.title : row.value;
        case Qt::ForegroundRole:
            // Titles step back so that the eye finds the values.
            return index.column() == TitleColumn ? QVariant(QColor(175, 175, 175)) : QVariant();
        case Qt::ToolTipRole:
            return index.column() == ValueColumn ? QVariant(row.value) : QVariant();
        default:
            return {};
    }
}

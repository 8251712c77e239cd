#pragma once

#include <QAbstractTableModel>

#include "presets/MetaDataPopupContent.h"

// The rows of the metadata popup for its list: the title in the first column, the value (also its tool
// tip, since long values are cut at the end) in the second.
class MetaDataPopupRowsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { TitleColumn = 0, ValueColumn = 1 };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<MetaDataPopupContent::Row>& rows);
    const QList<MetaDataPopupContent::Row>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    QList<MetaDataPopupContent::Row> m_rows;
};

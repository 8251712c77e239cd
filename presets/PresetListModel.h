#pragma once

#include <QAbstractListModel>

class PresetListController;

// The preset list (tblPresets) over the presets the controller holds: one row per preset, showing its name.
// The list changes only through the controller; the view tells this model what changed.
class PresetListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit PresetListModel(const PresetListController& presets, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void reload();
    void presetInserted(int row);
    void presetRemoved(int row);
    void presetChanged(int row);

  private:
    const PresetListController& m_presets;
    int m_rows = 0;  // the rows the view was told about
};

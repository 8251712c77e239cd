#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class PresetCellDelegate;

// A row of the preset list whose name can be edited in place. An emptied name falls back to the name the
// row had before editing, and the delegate hears the name the row ends up with.
class PresetCell : public QWidget {
    Q_OBJECT
  public:
    explicit PresetCell(QWidget* parent = nullptr);

    PresetCellDelegate* delegate() const { return m_delegate; }
    void setDelegate(PresetCellDelegate* delegate) { m_delegate = delegate; }
    QLineEdit* txtName() const { return m_txtName; }
    QWidget* vwSelectedState() const { return m_vwSelectedState; }
    QLabel* image() const { return m_image; }
    QString initialName() const { return m_initialName; }
    void setInitialName(const QString& name) { m_initialName = name; }

    // The end of editing of a field; only the row's own name field counts.
    void controlTextDidEndEditing(QObject* field);

  private:
    PresetCellDelegate* m_delegate = nullptr;
    QLineEdit* m_txtName;
    QWidget* m_vwSelectedState;
    QLabel* m_image;
    QString m_initialName;
};

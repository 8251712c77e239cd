#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

// The table of a dropdown popup: one column of texts, 30 points a row; a click on a row chooses it, also
// when it is the row chosen last time.
class PopupListView : public QListView {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 30;

    explicit PopupListView(QWidget* parent = nullptr);

    void setRows(const QStringList& rows);
    QStringList rows() const;

  signals:
    void rowChosen(int row);

  private:
    QStringListModel* m_model;
};

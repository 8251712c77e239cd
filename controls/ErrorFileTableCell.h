#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// A row of the run summary's list of failed and warned files; its owner fills the four parts.
class ErrorFileTableCell : public QWidget {
    Q_OBJECT
  public:
    explicit ErrorFileTableCell(QWidget* parent = nullptr);

    QLabel* fileName() const { return m_fileName; }
    QLabel* errorName() const { return m_errorName; }
    QPushButton* btnDelete() const { return m_btnDelete; }
    QLabel* errorImage() const { return m_errorImage; }

  private:
    QLabel* m_fileName;
    QLabel* m_errorName;
    QPushButton* m_btnDelete;
    QLabel* m_errorImage;
};

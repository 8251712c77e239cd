#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

// A small window with what the file system knows about one file: name, kind, size, where it is, its dates,
// its owner and who may read and write it. It stays open beside the application until closed.
class FileInfoDialog : public QDialog {
    Q_OBJECT
  public:
    // The rows shown, as (label, value); a file that is gone gives one row saying so.
    static QList<QPair<QString, QString>> rowsFor(const QString& path);
    static FileInfoDialog* showForFile(const QString& path, QWidget* parent);

  private:
    FileInfoDialog(const QString& path, QWidget* parent);
};

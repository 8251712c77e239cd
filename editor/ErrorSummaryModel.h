#pragma once

#include <QAbstractListModel>

#include <vector>

#include "model/PhotoFile.h"

// The summary window's list (tblErrorSummary): the run's failed photos, then its renaming warnings. Each
// row gives the photo's path, the message for its status, the picture and whether it is only a warning.
class ErrorSummaryModel : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role { MessageRole = Qt::UserRole + 1, ImageRole, WarningRole, MessageToolTipRole };
    static constexpr int kRowHeight = 57;

    // What one row shows for a photo of the list.
    struct Row {
        QString image;  // "errorFile.png" or "warningFile.png"
        QString message;
        bool warning = false;    // drawn yellow, else red
        QString messageToolTip;  // "" for a missing source
    };
    static Row rowFor(const PhotoFile& photo);

    explicit ErrorSummaryModel(QObject* parent = nullptr);

    void setPhotos(std::vector<PhotoFile> photos);
    const std::vector<PhotoFile>& photos() const { return m_photos; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    std::vector<PhotoFile> m_photos;
};

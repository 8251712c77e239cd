#pragma once

#include <QDialog>
#include <QTimer>

#include "batch/BatchTexts.h"

class GRProgressIndicator;
class QLabel;
class QPushButton;

// The progress sheet of a run (winProcessProgress): the photo being written and its path, the progress bar
// from 0 to 100, the batch and process lines, and Stop. It cannot be dismissed otherwise: the run closes it.
class ProgressSheet : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kThumbnailPauseMs = 250;

    explicit ProgressSheet(QWidget* parent = nullptr);
    ~ProgressSheet() override;

    // imgvwCurrentPhoto: the photo's thumbnail, made off the main thread; "" shows the placeholder.
    void setCurrentPhoto(const QString& filePath);
    QString currentPhoto() const { return m_photoPath; }
    bool showsThumbnail() const { return !m_thumbnail.isNull(); }
    void setCurrentFile(const QString& filePath);
    void setProgress(int percent);
    void setBatchInfo(const BatchInfoLine& line);
    void setProcessInfo(const BatchInfoLine& line);

    // The line drawn grey with its values white.
    static QString richText(const BatchInfoLine& line);

    QLabel* lblCurrntFilePath() const { return m_filePath; }
    GRProgressIndicator* progressIndicator() const { return m_progress; }
    QLabel* lblBatchInfo() const { return m_batchInfo; }
    QLabel* lblProcessInfoBottom() const { return m_processInfo; }
    QPushButton* btnStop() const { return m_stop; }
    // Waits until the thumbnail asked for last has been made (for tests and screenshots).
    void waitForThumbnail();

  signals:
    void stopTapped();

  public slots:
    void reject() override;

  private:
    class PhotoView;
    void loadThumbnail(const QString& filePath);
    void thumbnailReady(const QImage& image);
    void pauseEnded();

    PhotoView* m_photo;
    QLabel* m_filePath;
    GRProgressIndicator* m_progress;
    QLabel* m_batchInfo;
    QLabel* m_processInfo;
    QPushButton* m_stop;
    QString m_photoPath;
    QString m_fullFilePath;
    QImage m_thumbnail;
    bool m_loading = false;
    QString m_shownPath;  // the photo whose thumbnail is shown or being made
    QTimer m_pause;
    struct Pending;
    std::shared_ptr<Pending> m_pending;
};

#pragma once

#include <QDialog>

#include "batch/BatchSummary.h"

class ErrorSummaryModel;
class LinkButton;
class QLabel;
class QListView;
class QPushButton;

// The summary of a run (winSummary): its title, the counts, the time it took, where the copies went (a link
// that opens the folder in the file manager, or a note when they went to several source folders) and, in
// the taller window, the list of failed and warned photos.
class SummaryWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kWidth = 560;

    explicit SummaryWindow(QWidget* parent = nullptr);

    // setSummmaryInfo: fills every part from the summary and takes its height.
    void setSummaryInfo(const BatchSummary& summary);
    // btnOpenOutputFolderTapped: the link's folder in the file manager.
    void btnOpenOutputFolderTapped();

    QLabel* lblSummaryTitle() const { return m_title; }
    QLabel* lblBatchCountSummary() const { return m_batchCount; }
    QLabel* lblPhotoProcessedSummary() const { return m_processed; }
    QLabel* lblPhotoSkippedSummary() const { return m_skipped; }
    QLabel* lblTimeElapsedSummary() const { return m_elapsed; }
    QLabel* lblErrorsSummary() const { return m_errors; }
    QLabel* txtDestinationSourceFolder() const { return m_note; }
    LinkButton* btnOpenOutputFolder() const { return m_link; }
    QWidget* vwErrorTable() const { return m_errorTable; }
    QListView* tblErrorSummary() const { return m_table; }
    ErrorSummaryModel* errorModel() const { return m_model; }
    QPushButton* btnClose() const { return m_close; }

  signals:
    void closeTapped();

  public slots:
    void reject() override;

  private:
    QLabel* m_title;
    QLabel* m_batchCount;
    QLabel* m_processed;
    QLabel* m_skipped;
    QLabel* m_elapsed;
    QLabel* m_errors;
    QLabel* m_note;
    QLabel* m_folderCaption;
    LinkButton* m_link;
    QWidget* m_errorTable;
    QListView* m_table;
    ErrorSummaryModel* m_model;
    QPushButton* m_close;
};

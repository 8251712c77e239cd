#pragma once

#include "app/CustomWindowNag.h"
#include "app/online/FeedbackChecks.h"
#include "app/online/FeedbackUploader.h"
#include "app/online/ServiceHosts.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The feedback sheet over the main window: an address, a feedback type and a text, with the choice to add
// the log and the usage report. Submit checks the fields, hands the feedback to a FeedbackUploader that
// outlives the sheet, and closes at once; the upload's success is announced by the uploader.
class FeedbackWindowController : public CustomWindowNag {
    Q_OBJECT
  public:
    struct Outlets {
        QLabel* lblFBType;
        QLabel* lblFBHeading;
        QLabel* lblFBSubHeading;
        QLabel* lblEmailAddress;
        QLineEdit* txtFBEmailID;
        QLabel* lblFBInvalidEmail;
        QLabel* lblFeedBackType;
        QComboBox* btnFBType;  // item 0 is the placeholder
        QLabel* lblFBInvalidType;
        QLabel* lblShareExperience;
        QPlainTextEdit* txtViewFBExp;
        QLabel* lblFBInvalidExp;
        QCheckBox* btnFBSendLogs;
        QCheckBox* btnFBSendScanLog;
        QLabel* lblFBWait;
        QProgressBar* progressFB;
        QPushButton* btnFBCancel;
        QPushButton* btnFBSubmit;
    };

    FeedbackWindowController(const ServiceHosts& hosts, std::function<bool()> isInternetAvailable,
                             QWidget* parent = nullptr);

    const Outlets& outlets() const { return m_ui; }

    // Empty fields and hidden error and progress labels.
    void openFeedbackWindow();
    void convertUIAccordingToLocale();
    // Rewrites the fields as checked and shows each failing field's error label; true when any failed.
    bool areThereEmptyFieldsForFeedback();
    void submitFeedback();
    void cancelFeedbackSheet();
    // What Submit hands over, from the form as it stands.
    FeedbackSubmission prepareSubmission() const;
    // Centres this window on other's centre.
    void setWindowInCenterOfWindow(QWidget* other);

  signals:
    // A checked feedback left the form; the uploader lives on after the sheet.
    void uploadStarted(FeedbackUploader* uploader);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildInterface();
    void layOutInterface();
    void extractInfoAndSendFeedback();

    Outlets m_ui{};
    ServiceHosts m_hosts;
    std::function<bool()> m_isInternetAvailable;
};

#pragma once

#include <QObject>
#include <QPointer>

#include "batch/BatchRunController.h"
#include "batch/EditorAlert.h"
#include "controls/SubWindowState.h"
#include "platform/OpenPanel.h"

class ProgressSheet;
class SummaryWindow;
class QWidget;

// The batch run on the editing screen: the controller with its sheets. It owns the progress sheet, the
// summary window and the one alert sheet of the screen, opens the destination panel, and hands the user's
// answers back to the controller. The editing screen makes one and forwards its buttons to it.
class BatchRunScreen : public QObject {
    Q_OBJECT
  public:
    // subWindow: the application's record of an open sheet or child window.
    BatchRunScreen(BatchRunForm& form, QWidget* screen, BatchRunner::Services services,
                   SubWindowState& subWindow = SubWindowState::shared());
    ~BatchRunScreen() override;

    BatchRunController& controller() { return *m_controller; }
    ProgressSheet* progressSheet() const { return m_progress; }
    SummaryWindow* summaryWindow() const { return m_summary; }

    // showAlertWithTag: the alert of this tag as a sheet over the screen; nothing while another sheet or
    // child window is open.
    void showAlertWithTag(int tag, const EditorAlertCounts& counts = {});
    // The tag of the alert shown last (alertTag).
    int alertTag() const { return m_alertTag; }

    // The destination panel of Start: a folder, or "Keep Source Folder Path".
    static platform::OpenPanelOptions destinationPanelOptions();

  private:
    void openDestinationPanel();
    void showProcessProgressWindow();
    void hideProcessProgressWindow();
    void showSummary(const BatchSummary& summary);
    void closeSummary();

    BatchRunForm& m_form;
    SubWindowState& m_subWindow;
    QPointer<QWidget> m_screen;
    std::unique_ptr<BatchRunController> m_controller;
    ProgressSheet* m_progress;
    SummaryWindow* m_summary;
    int m_alertTag = 0;
};

#pragma once

#include "platform/Alerts.h"
#include "platform/OpenPanel.h"
#include "platform/Workspace.h"

#include <QList>
#include <QUrl>

#include <deque>
#include <functional>

namespace testsupport {

// Alerts answered from a script instead of a person. Each shown alert is recorded; it is answered at once
// with the next scripted answer, or, when none is left, kept pending until answerPending() is called.
class ScriptedAlerts : public platform::AlertPresenter {
  public:
    ScriptedAlerts() { install(this); }
    ~ScriptedAlerts() override { install(nullptr); }

    void beginSheet(const platform::Alert& alert, QWidget* parent, Done done) override;

    void script(int button, bool suppressed = false) { m_answers.push_back({button, suppressed}); }
    // Answers the oldest alert still waiting; false when none waits.
    bool answerPending(int button, bool suppressed = false);

    QList<platform::Alert> shown;
    QList<QWidget*> parents;

  private:
    std::deque<platform::AlertAnswer> m_answers;
    std::deque<Done> m_pending;
};

// Open panels answered from a script: the next scripted result, or cancelled when none is left.
class ScriptedOpenPanel : public platform::OpenPanelPresenter {
  public:
    ScriptedOpenPanel() { install(this); }
    ~ScriptedOpenPanel() override { install(nullptr); }

    void beginSheet(const platform::OpenPanelOptions& options, QWidget* parent, Done done) override;

    void script(const QStringList& paths, bool accessoryChecked = false) {
        m_results.push_back({true, paths, accessoryChecked});
    }
    void scriptCancel() { m_results.push_back({}); }

    QList<platform::OpenPanelOptions> shown;

  private:
    std::deque<platform::OpenPanelResult> m_results;
};

// The desktop, recorded: every request is kept; answers are what `succeeds` says.
class ScriptedWorkspace : public platform::Workspace {
  public:
    ScriptedWorkspace() { install(this); }
    ~ScriptedWorkspace() override { install(nullptr); }

    bool openURL(const QUrl& url) override {
        openedUrls.append(url);
        return succeeds;
    }
    void openFile(const QString& path, Answer answer) override {
        openedFiles.append(path);
        if (answer) answer(succeeds);
    }
    void revealInFileManager(const QStringList& paths, Answer answer) override {
        revealed.append(paths);
        if (answer) answer(succeeds);
    }
    void showFileInfo(const QString& path, QWidget*) override { infoShown.append(path); }

    bool succeeds = true;
    QList<QUrl> openedUrls;
    QStringList openedFiles;
    QList<QStringList> revealed;
    QStringList infoShown;
};

}  // namespace testsupport

#include "tests/common/ScriptedPlatform.h"

namespace testsupport {

void ScriptedAlerts::beginSheet(const platform::Alert& alert, QWidget* parent, Done done) {
    shown.append(alert);
    parents.append(parent);
    if (m_answers.empty()) {
        m_pending.push_back(std::move(done));
        return;
    }
    const platform::AlertAnswer answer = m_answers.front();
    m_answers.pop_front();
    if (done) done(answer);
}

bool ScriptedAlerts::answerPending(int button, bool suppressed) {
    if (m_pending.empty()) return false;
    Done done = std::move(m_pending.front());
    m_pending.pop_front();
    if (done) done({button, suppressed});
    return true;
}

void ScriptedOpenPanel::beginSheet(const platform::OpenPanelOptions& options, QWidget*, Done done) {
    shown.append(options);
    platform::OpenPanelResult result;
    if (!m_results.empty()) {
        result = m_results.front();
        m_results.pop_front();
    }
    if (done) done(result);
}

}  // namespace testsupport

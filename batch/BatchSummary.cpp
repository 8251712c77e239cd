#include "batch/BatchSummary.h"

#include <QFileInfo>

#include "model/Utils.h"

OutputLink OutputLink::forRun(const OutputRenamingOptions& run, const QString& selectedOutputFolder,
                              const std::vector<PhotoFile>& runList) {
    OutputLink link;
    if (run.sourceFolderSelected != 1 || runList.empty()) {
        link.title = selectedOutputFolder;
        return link;
    }
    // Whole parent paths are compared: two folders of the same name in different places are two folders.
    const QString first = QFileInfo(runList.front().filePath).path();
    for (const PhotoFile& photo : runList) {
        if (QFileInfo(photo.filePath).path() != first) {
            link.linkShown = false;
            link.noteShown = true;
            return link;
        }
    }
    link.title = first;
    return link;
}

BatchSummary BatchSummary::make(const BatchRunState& state, const OutputLink& link, qint64 elapsedSeconds) {
    BatchSummary summary;
    summary.title =
        state.counterSkipped <= 0 ? QStringLiteral("Batch Process Finished") : QStringLiteral("Batch Process Stopped");
    summary.batchCount = QString::number(state.runCount);
    summary.processed = QString::number(state.counterProcessedSuccessfully);
    summary.skipped = QString::number(state.counterSkipped);
    summary.elapsed = Utils::sharedUtils().timeFormattedString(elapsedSeconds);
    summary.outputFolder = state.selectedOutputFolder;
    summary.link = link;
    const qint64 errors = state.counterProcessedWithError;
    const auto warnings = static_cast<qint64>(state.arrProcessedWithWarning.size());
    summary.errorsLabel = QStringLiteral("Error") + (errors >= 2 ? "s" : "") + " Found(" + QString::number(errors) +
                          ") Warning" + (warnings >= 2 ? "s" : "") + " Found(" + QString::number(warnings) + ")";
    summary.errorsHidden = errors == 0 && warnings == 0;
    summary.rows = state.arrProcessedWithError;
    summary.rows.insert(summary.rows.end(), state.arrProcessedWithWarning.begin(), state.arrProcessedWithWarning.end());
    summary.windowHeight = summary.rows.empty() ? kHeightWithoutList : kHeightWithList;
    return summary;
}

InfoLine BatchSummary::batchLine(const BatchRunState& state) {
    const QString count = QString::number(state.runCount);
    const QString processed = QString::number(state.counterProcessedSuccessfully);
    return {QStringLiteral("Batch Count: ") + count + QStringLiteral("  |  Photos Processed: ") + processed,
            {count, processed}};
}

InfoLine BatchSummary::processLine(const BatchRunState& state, qint64 elapsedSeconds) {
    const qint64 percent = state.runCount > 0
                               ? static_cast<qint64>(static_cast<quint64>(state.counterTotalProgressedFiles) * 100u /
                                                     static_cast<quint64>(state.runCount))
                               : 0;
    const QString done = QString::number(percent) + QStringLiteral(" %");
    const QString errors = QString::number(state.counterProcessedWithError);
    const QString elapsed = Utils::sharedUtils().timeFormattedString(elapsedSeconds);
    return {QStringLiteral("Process Completed: ") + done + QStringLiteral("  |  Error") +
                (state.counterProcessedWithError >= 2 ? "s" : "") + QStringLiteral(" reported: ") + errors +
                QStringLiteral("  |  Time elapsed: ") + elapsed + QStringLiteral(" approx."),
            {done, errors, elapsed}};
}

#include "batch/BatchSummary.h"

#include <QFileInfo>

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
    summary.title = BatchTexts::summaryTitle(state.counterSkipped);
    summary.batchCount = QString::number(state.runCount);
    summary.processed = QString::number(state.counterProcessedSuccessfully);
    summary.skipped = QString::number(state.counterSkipped);
    summary.elapsed = BatchTexts::elapsedText(elapsedSeconds);
    summary.outputFolder = state.selectedOutputFolder;
    summary.link = link;
    const qint64 errors = state.counterProcessedWithError;
    const auto warnings = static_cast<qint64>(state.arrProcessedWithWarning.size());
    summary.errorsLabel = BatchTexts::errorsLabel(errors, warnings);
    summary.errorsHidden = !BatchTexts::showsErrorList(errors, warnings);
    summary.rows = state.arrProcessedWithError;
    summary.rows.insert(summary.rows.end(), state.arrProcessedWithWarning.begin(), state.arrProcessedWithWarning.end());
    summary.windowHeight = summary.rows.empty() ? kHeightWithoutList : kHeightWithList;
    return summary;
}

BatchInfoLine BatchSummary::batchLine(const BatchRunState& state) {
    return BatchTexts::batchLine(state.runCount, state.counterProcessedSuccessfully);
}

BatchInfoLine BatchSummary::processLine(const BatchRunState& state, qint64 elapsedSeconds) {
    return BatchTexts::processLine(state.counterTotalProgressedFiles, state.runCount, state.counterProcessedWithError,
                                   elapsedSeconds);
}

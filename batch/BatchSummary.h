#pragma once

#include <QString>
#include <QStringList>

#include <vector>

#include "batch/BatchRunner.h"
#include "batch/BatchTexts.h"

// Where the summary points the user for the copies.
struct OutputLink {
    QString title;           // the folder the link opens
    bool linkShown = true;   // the link and the folder label
    bool noteShown = false;  // the note that the copies went to several source folders

    // Copies written into the chosen folder link to it; copies written beside their sources link to their one
    // source folder, or, when they came from several folders, show the note instead.
    static OutputLink forRun(const OutputRenamingOptions& run, const QString& selectedOutputFolder,
                             const std::vector<PhotoFile>& runList);
};

// Everything the summary window shows after a run.
struct BatchSummary {
    static constexpr int kHeightWithList = 450;
    static constexpr int kHeightWithoutList = 250;

    QString title;
    QString batchCount, processed, skipped, elapsed;
    QString errorsLabel;
    bool errorsHidden = true;  // the errors label and the list
    int windowHeight = kHeightWithoutList;
    QString outputFolder;
    OutputLink link;
    std::vector<PhotoFile> rows;  // the failed photos, then the renaming warnings

    static BatchSummary make(const BatchRunState& state, const OutputLink& link, qint64 elapsedSeconds);

    // The batch line and the process line of a run going on.
    static BatchInfoLine batchLine(const BatchRunState& state);
    static BatchInfoLine processLine(const BatchRunState& state, qint64 elapsedSeconds);
};

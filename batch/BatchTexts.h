#pragma once

#include <QList>
#include <QString>

#include <utility>

// A line of the progress sheet: its text and the stretches of it (start, length) drawn in white over grey.
struct BatchInfoLine {
    QString text;
    QList<std::pair<qsizetype, qsizetype>> highlights;
};

// The words a run shows, from plain counts: the progress sheet's two lines and the summary's title and
// errors label. The runner and the screens call these; none needs a run or a widget.
class BatchTexts {
  public:
    // "Batch Process Finished", or "Batch Process Stopped" while photos of the run were never answered.
    static QString summaryTitle(qint64 skipped);
    // "Error Found(1) Warning Found(1)", "Errors Found(2) Warning Found(0)".
    static QString errorsLabel(qint64 errors, qint64 warnings);
    // Whether the summary shows its errors label and table.
    static bool showsErrorList(qint64 errors, qint64 warnings) { return errors != 0 || warnings != 0; }
    // "Batch Count: 3  |  Photos Processed: 2", every occurrence of each number highlighted.
    static BatchInfoLine batchLine(qint64 runCount, qint64 processedSuccessfully);
    // "Process Completed: 66 %  |  Errors reported: 2  |  Time elapsed:  5 seconds approx.", the three values
    // highlighted; under a second "Time elapsed:  less than a second". runCount must not be 0.
    static BatchInfoLine processLine(qint64 handled, qint64 runCount, qint64 errors, qint64 elapsedSeconds);
    // The share of the run answered, truncated: 33, 66, 100 for three photos.
    static int percentDone(qint64 handled, qint64 runCount);
    // " 1 minute 5 seconds"; " less than a second" under a second, which would read as nothing at all.
    static QString elapsedText(qint64 elapsedSeconds);
};

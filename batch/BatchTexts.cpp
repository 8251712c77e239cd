#include "batch/BatchTexts.h"

#include "model/Utils.h"

namespace {

// Appends a value and marks it for highlighting.
void appendValue(BatchInfoLine& line, const QString& value) {
    line.highlights.append({line.text.size(), value.size()});
    line.text += value;
}

QString plural(qint64 count) {
    return count >= 2 ? QStringLiteral("s") : QString();
}

}  // namespace

QString BatchTexts::summaryTitle(qint64 skipped) {
    return skipped <= 0 ? QStringLiteral("Batch Process Finished") : QStringLiteral("Batch Process Stopped");
}

QString BatchTexts::errorsLabel(qint64 errors, qint64 warnings) {
    return QStringLiteral("Error") + plural(errors) + QStringLiteral(" Found(") + QString::number(errors) +
           QStringLiteral(") Warning") + plural(warnings) + QStringLiteral(" Found(") + QString::number(warnings) +
           QStringLiteral(")");
}

BatchInfoLine BatchTexts::batchLine(qint64 runCount, qint64 processedSuccessfully) {
    BatchInfoLine line;
    const QString count = QString::number(runCount);
    const QString processed = QString::number(processedSuccessfully);
    line.text = QStringLiteral("Batch Count: ") + count + QStringLiteral("  |  Photos Processed: ") + processed;
    // Each number is found wherever it stands, so a "1" inside "10" lights up as well.
    for (const QString& number : {count, processed}) {
        for (qsizetype at = line.text.indexOf(number); at >= 0; at = line.text.indexOf(number, at + 1)) {
            if (!line.highlights.contains(std::pair(at, number.size()))) line.highlights.append({at, number.size()});
        }
    }
    return line;
}

BatchInfoLine BatchTexts::processLine(qint64 handled, qint64 runCount, qint64 errors, qint64 elapsedSeconds) {
    BatchInfoLine line;
    line.text = QStringLiteral("Process Completed: ");
    appendValue(line, QString::number(percentDone(handled, runCount)) + QStringLiteral(" %"));
    line.text += QStringLiteral("  |  Error") + plural(errors) + QStringLiteral(" reported: ");
    appendValue(line, QString::number(errors));
    line.text += QStringLiteral("  |  Time elapsed: ");
    appendValue(line, elapsedText(elapsedSeconds));
    if (elapsedSeconds >= 1) line.text += QStringLiteral(" approx.");
    return line;
}

int BatchTexts::percentDone(qint64 handled, qint64 runCount) {
    if (runCount <= 0 || handled <= 0) return 0;
    return static_cast<int>(static_cast<quint64>(handled) * 100u / static_cast<quint64>(runCount));
}

QString BatchTexts::elapsedText(qint64 elapsedSeconds) {
    if (elapsedSeconds < 1) return QStringLiteral(" less than a second");
    return Utils::sharedUtils().timeFormattedString(elapsedSeconds);
}

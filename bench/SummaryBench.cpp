// Opens the run's summary over a list of failed photos, offscreen, and prints the longest stall of the main
// thread while the window shows its list, and while the list is scrolled to its end and back. The messages
// differ in length, so the rows differ in height as a real run's do.
//
//   lumarind-summary-bench [rows=10000]

#include "bench/RunUntil.h"
#include "bench/StallMeter.h"
#include "editor/SummaryWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>

#include <cstdio>

namespace {

BatchSummary summaryOf(int rows) {
    BatchSummary summary;
    summary.title = QStringLiteral("Batch Process Finished");
    summary.errorsLabel = QStringLiteral("Errors Found(%1)").arg(rows);
    summary.errorsHidden = false;
    summary.windowHeight = BatchSummary::kHeightWithList;
    const QString word = QStringLiteral("the photo may be damaged or in a format the writer does not take ");
    for (int i = 0; i < rows; ++i) {
        PhotoFile photo;
        photo.fileName = QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QChar('0'));
        photo.filePath = QStringLiteral("/media/card/DCIM/100CANON/") + photo.fileName;
        photo.fileExtension = QStringLiteral("JPG");
        photo.processStatus = ExifWriteFailed;
        photo.processMsg = QStringLiteral("The photo could not be written: ") + word.repeated(i % 4 + 1);
        summary.rows.push_back(photo);
    }
    return summary;
}

// The longest stall while work runs and the event loop then settles for a while.
qint64 longestStall(const std::function<void()>& work) {
    StallMeter meter;
    meter.start();
    work();
    QElapsedTimer settle;
    settle.start();
    runUntil([&] { return settle.elapsed() > 500; });
    return meter.stop();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const BatchSummary summary = summaryOf(rows);
    SummaryWindow window;
    const qint64 opening = longestStall([&] {
        window.setSummaryInfo(summary);
        window.show();
    });
    QScrollBar* bar = window.tblErrorSummary()->verticalScrollBar();
    const qint64 toEnd = longestStall([&] { window.tblErrorSummary()->scrollToBottom(); });
    const qint64 back = longestStall([&] { bar->setValue(bar->minimum()); });
    std::printf(
        "summary of %d rows: longest event-loop stall %lld ms opening, %lld ms scrolling to the end, "
        "%lld ms back to the top\n",
        rows, static_cast<long long>(opening), static_cast<long long>(toEnd), static_cast<long long>(back));
    return 0;
}

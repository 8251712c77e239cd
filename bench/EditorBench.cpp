// Adds photos through the real editing screen, offscreen, and prints what a user would feel: the longest
// stall of the main thread while the photos come in and the form is filled, the memory held, and the time of
// each frame while the photo list scrolls from top to bottom with its thumbnails cached.
//
//   lumarind-editor-bench [count=100000] [corpus folder]
//
// The photos are hard links to the corpus JPEGs (the disk holds every one under its own path).

#include "Helper/MetadataWorkerPool.h"
#include "bench/ProcessMemory.h"
#include "bench/RunUntil.h"
#include "bench/StallMeter.h"
#include "controls/SubWindowState.h"
#include "editor/ExifEditorView.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/SelectionReload.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "model/PresetStore.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <unistd.h>

#include <algorithm>

namespace {

QStringList corpusJpegs(const QString& corpus) {
    QStringList photos;
    for (const QString& name : QDir(corpus).entryList({"*.jpg", "*.JPG", "*.jpeg"}, QDir::Files, QDir::Name))
        photos.append(corpus + "/" + name);
    return photos;
}

// count hard links to the samples, a thousand to a folder.
int linkCopies(const QStringList& samples, int count, const QString& folder) {
    int made = 0;
    for (int i = 0; i < count; ++i) {
        const QString target =
            QString("%1/%2/%3.jpg").arg(folder).arg(i / 1000, 3, 10, QChar('0')).arg(i, 6, 10, QChar('0'));
        if (i % 1000 == 0) QDir().mkpath(QFileInfo(target).path());
        if (::link(QFile::encodeName(samples.at(i % samples.size())).constData(),
                   QFile::encodeName(target).constData()) == 0)
            ++made;
    }
    return made;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString(argv[1]).toInt() : 100000;
    const QString corpus = argc > 2 && argv[2][0] ? QString(argv[2]) : QString(LUMARIND_CORPUS_DIR);
    QTextStream out(stdout);

    const QStringList samples = corpusJpegs(corpus);
    if (samples.isEmpty()) {
        out << "No sample JPEGs in " << corpus << "\n";
        return 1;
    }
    MetadataWorkerPool::install();
    QTemporaryDir dir;
    QElapsedTimer clock;
    clock.start();
    const int made = linkCopies(samples, count, dir.filePath("photos"));
    out << "photos: " << made << " hard links to " << samples.size() << " corpus JPEGs (" << clock.elapsed() / 1000.0
        << " s to make)\n";
    out.flush();

    QList<PhotoFile> batch;
    QSet<QString> added;
    platform::UserDefaults defaults(dir.filePath("defaults.ini"));
    PresetStore presets(defaults);
    MetaDataObject selection;
    SubWindowState subWindow;
    const long baselineKb = statusKilobytes("VmRSS:");
    ExifEditorView view({batch, added, presets, selection, subWindow});
    view.resize(1050, 700);
    view.show();
    QApplication::processEvents();

    // Adding: the walk, the reads, the hand-back, the form's set-up and the merge of every photo.
    StallMeter meter;
    bool handedBack = false;
    QObject::connect(&view.intake(), &PhotoIntake::importHandedBack, [&] { handedBack = true; });
    clock.restart();
    meter.start();
    view.addPhotosFromPathUrls({dir.filePath("photos")}, false);
    runUntil([&] { return handedBack && !view.selectionReload().isMerging() && !view.isLoaderRunning(); });
    const qint64 addStall = meter.stop();
    const double addSeconds = clock.elapsed() / 1000.0;
    const long peakKb = statusKilobytes("VmHWM:");
    const long heldKb = statusKilobytes("VmRSS:");

    // Reloading the form for every photo again (all ticked), as Reset does.
    meter.start();
    clock.restart();
    view.setupUIForSelectedPhotoFiles(batch);
    runUntil([&] { return !view.selectionReload().isMerging() && !view.isLoaderRunning(); });
    const qint64 reloadStall = meter.stop();
    const double reloadSeconds = clock.elapsed() / 1000.0;

    // Scrolling: 300 evenly spaced frames from the top to the bottom of the list. A first pass caches the
    // thumbnails of every row that will show; the second pass is timed.
    PhotoTableView* table = view.tblPhotos();
    QScrollBar* bar = table->verticalScrollBar();
    constexpr int frames = 300;
    const auto position = [&](int frame) { return static_cast<int>(qint64(bar->maximum()) * frame / (frames - 1)); };
    for (int frame = 0; frame < frames; ++frame) {
        bar->setValue(position(frame));
        view.loadTableViewThumbnailImages();
        view.thumbnailLoader().waitForLoads();
    }
    QApplication::processEvents();
    QList<double> frameMs;
    meter.start();
    for (int frame = 0; frame < frames; ++frame) {
        QElapsedTimer one;
        one.start();
        bar->setValue(position(frame));
        table->viewport()->repaint();
        QApplication::processEvents();
        frameMs.append(one.nsecsElapsed() / 1e6);
    }
    const qint64 scrollStall = meter.stop();
    std::sort(frameMs.begin(), frameMs.end());
    const auto percentile = [&](double p) {
        return frameMs.at(std::min<qsizetype>(frameMs.size() - 1, frameMs.size() * p));
    };

    out << Qt::fixed;
    out.setRealNumberPrecision(1);
    out << "add through the screen: " << batch.size() << " photos in " << addSeconds << " s ("
        << batch.size() / addSeconds << " photos/s), longest main-thread stall " << addStall << " ms\n";
    out << "reload of the form for every photo: " << reloadSeconds << " s, longest stall " << reloadStall << " ms\n";
    out << "memory: baseline " << baselineKb / 1024.0 << " MiB, peak " << peakKb / 1024.0 << " MiB, held after the add "
        << heldKb / 1024.0 << " MiB (" << double(heldKb - baselineKb) / std::max<qsizetype>(1, batch.size())
        << " KiB per photo)\n";
    out.setRealNumberPrecision(2);
    out << "scroll top to bottom, " << frames << " frames with cached thumbnails: median " << percentile(0.5)
        << " ms, 99th percentile " << percentile(0.99) << " ms, slowest " << frameMs.last() << " ms; thumbnails cached "
        << view.dictPhotoImages().size() << ", longest main-thread stall " << scrollStall << " ms\n";
    out << "rows in the list: " << view.photoModel()->rowCount() << "\n";
    return 0;
}

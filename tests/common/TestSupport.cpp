#include "tests/common/TestSupport.h"

#include <QColor>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <future>

#include <gtest/gtest.h>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

QString corpusDir() {
    const QString dir = QString::fromUtf8(LUMARIND_CORPUS_DIR);
    return QDir(dir).exists() ? QDir(dir).absolutePath() : QString();
}

QString exiftoolMissingMessage() {
    return QStringLiteral("exiftool is not installed, so the written metadata cannot be checked; run scripts/setup");
}

bool exiftoolInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty();
}

QByteArray exiftool(const QStringList& arguments, int* exitCode) {
    if (!exiftoolInstalled()) {
        ADD_FAILURE() << exiftoolMissingMessage().toStdString();
        if (exitCode) *exitCode = -1;
        return {};
    }
    QProcess process;
    process.start("exiftool", arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        if (exitCode) *exitCode = -1;
        return {};
    }
    if (exitCode) *exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

bool makeNamedPipe(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool finishesWithoutBlockingOnPipes(const std::function<void()>& work, const QStringList& pipes,
                                    std::chrono::milliseconds patience) {
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread worker([&work, &done] {
        work();
        done.set_value();
    });
    const bool byItself = finished.wait_for(patience) == std::future_status::ready;
    while (finished.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        // A writer that opens and closes at once lets a blocked open return and its read see the end.
        for (const QString& pipe : pipes) {
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
        }
    }
    worker.join();
    return byItself;
}

int darkPoints(const QImage& picture, const QRect& area) {
    const QRect clipped = area.intersected(picture.rect());
    int count = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) count += picture.pixelColor(x, y).lightness() < 128;
    }
    return count;
}

namespace {

double luminance(const QColor& colour) {
    const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

::testing::AssertionResult hasReadableText(const QWidget& window) {
    const QColor ground = window.palette().color(QPalette::Window);
    int read = 0;
    QStringList faint;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        ++read;
        label->ensurePolished();
        const QColor text = label->palette().color(QPalette::WindowText);
        const double contrast = contrastRatio(text, ground);
        if (contrast < 4.5) {
            faint.append(QStringLiteral("\"%1\" in %2 on %3, contrast %4")
                             .arg(label->text(), text.name(), ground.name(), QString::number(contrast, 'f', 1)));
        }
    }
    if (read == 0) return ::testing::AssertionFailure() << "no label with text";
    if (!faint.isEmpty()) return ::testing::AssertionFailure() << faint.join(QStringLiteral("; ")).toStdString();
    return ::testing::AssertionSuccess();
}

std::optional<QPoint> characterPoint(QLineEdit& edit, int index) {
    const int y = edit.height() / 2;
    for (int x = 0; x < edit.width(); ++x) {
        if (edit.cursorPositionAt(QPoint(x, y)) > index) return QPoint(x, y);
    }
    return std::nullopt;
}

QString makeLibraryWithoutArchivePath(const QString& folder) {
    const QString package = folder + QStringLiteral("/Old.photolibrary");
    QDir().mkpath(package);
    QFile list(package + QStringLiteral("/AlbumData.xml"));
    if (!list.open(QIODevice::WriteOnly)) return {};
    list.write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
        "\t<key>Master Image List</key>\n\t<dict/>\n</dict>\n</plist>\n");
    return package;
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

UnprivilegedRun runTestAsUnprivilegedUser(const QString& testName) {
    UnprivilegedRun run;
    if (QStandardPaths::findExecutable("setpriv").isEmpty()) return run;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                            QCoreApplication::applicationFilePath(), "--gtest_filter=" + testName});
    if (!child.waitForFinished(120000)) {
        child.kill();
        run.available = true;
        run.output = "the unprivileged run did not finish";
        return run;
    }
    run.output = child.readAll();
    // A program nobody may not execute (a private build folder) cannot be checked this way.
    run.available = run.output.contains("[==========]");
    run.passed = child.exitCode() == 0 && run.output.contains("[  PASSED  ] 1 test");
    return run;
}

}  // namespace testsupport

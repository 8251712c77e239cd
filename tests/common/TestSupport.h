#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QWidget;

namespace testsupport {

// The folder of real camera files, or "" when it is absent (tests then skip).
QString corpusDir();

// Written metadata is checked with exiftool, an independent reader that scripts/setup installs; without it
// the checks fail with this message instead of passing on empty answers.
QString exiftoolMissingMessage();
bool exiftoolInstalled();
#define LUMARIND_REQUIRE_EXIFTOOL() \
    ASSERT_TRUE(testsupport::exiftoolInstalled()) << testsupport::exiftoolMissingMessage().toStdString()

// Qt's QTRY_ macros report to Qt's own test log, which GoogleTest never reads, so a condition that never
// came true would pass. These wait the same way, running the event loop, and fail the running test. The
// file that uses them includes <QTest>.
#define LUMARIND_WAIT_FOR(condition, timeoutMs) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs)) << "never came true: " #condition
#define LUMARIND_WAIT_FOR_EQ(actual, expected, timeoutMs)                         \
    do {                                                                          \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, timeoutMs); \
        ASSERT_EQ(actual, expected);                                              \
    } while (false)

// Names each row of a parameterised test after the row's name member.
inline constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

// Runs exiftool with the arguments; returns its standard output ("" when it could not run, which also fails
// the running test).
QByteArray exiftool(const QStringList& arguments, int* exitCode = nullptr);

// SHA-256 of a file's bytes, to prove a source was left untouched.
QByteArray fileHash(const QString& path);

// How many points of a rectangle of a picture (clipped to it) are darker than middle grey: whether something
// was drawn there on a light ground, or nothing on a dark one.
int darkPoints(const QImage& picture, const QRect& area);

// The WCAG contrast of two colours: 1 for one colour on itself, 21 for black on white.
double contrastRatio(const QColor& a, const QColor& b);

// Whether every label with text in window stands out from the window's ground, with the contrast of at least 4.5
// that body text needs (the WCAG ratio: 1 for one colour on itself, 21 for black on white); a failure names each
// label that does not, with its colours. A window without a label of text fails too.
::testing::AssertionResult hasReadableText(const QWidget& window);

// Where a person aims to click the character at index of an edit's text; nothing when the text is shorter.
std::optional<QPoint> characterPoint(QLineEdit& edit, int index);

// An iPhoto library package in folder whose album list names no "Archive Path": adding it raises the
// reader's alert. Returns the package's path.
QString makeLibraryWithoutArchivePath(const QString& folder);

// Makes a named pipe at path; false when it cannot.
bool makeNamedPipe(const QString& path);
// Runs work on a thread of its own and answers whether it finished by itself. Work that blocks in opening or
// reading one of the pipes (a reader waiting for a writer) is released after the given patience by opening
// the pipes for writing, so a test of a hang fails instead of hanging.
bool finishesWithoutBlockingOnPipes(const std::function<void()>& work, const QStringList& pipes,
                                    std::chrono::milliseconds patience = std::chrono::seconds(20));

// Root passes every permission check, so tests of "access denied" run again as an unprivileged user.
struct UnprivilegedRun {
    bool available = false;  // false: there is no way to drop privileges here (the test should skip)
    bool passed = false;
    QByteArray output;
};
// Runs one test of the current test program under the user "nobody".
UnprivilegedRun runTestAsUnprivilegedUser(const QString& testName);

}  // namespace testsupport

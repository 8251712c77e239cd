#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

// The folder of real camera files, or "" when it is absent (tests then skip).
QString corpusDir();

// Runs exiftool with the arguments; returns its standard output ("" when it could not run).
QByteArray exiftool(const QStringList& arguments, int* exitCode = nullptr);

// SHA-256 of a file's bytes, to prove a source was left untouched.
QByteArray fileHash(const QString& path);

// Root passes every permission check, so tests of "access denied" run again as an unprivileged user.
struct UnprivilegedRun {
    bool available = false;  // false: there is no way to drop privileges here (the test should skip)
    bool passed = false;
    QByteArray output;
};
// Runs one test of the current test program under the user "nobody".
UnprivilegedRun runTestAsUnprivilegedUser(const QString& testName);

}  // namespace testsupport

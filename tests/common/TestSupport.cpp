#include "tests/common/TestSupport.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace testsupport {

QString corpusDir() {
    const QString dir = QString::fromUtf8(LUMARIND_CORPUS_DIR);
    return QDir(dir).exists() ? QDir(dir).absolutePath() : QString();
}

QByteArray exiftool(const QStringList& arguments, int* exitCode) {
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

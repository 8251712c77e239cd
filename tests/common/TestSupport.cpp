#include "tests/common/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>

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

}  // namespace testsupport

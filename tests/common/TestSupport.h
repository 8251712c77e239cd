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

}  // namespace testsupport

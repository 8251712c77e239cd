#pragma once

#include <QString>

#include <optional>

#include "model/ResultCodes.h"

// The answer of one write: a plain value the batch thread hands back, which the main thread then applies to
// the photo item (status, message and, when present, the processed path).
struct ExifWriteResult {
    int errorFlag = ExifWriteSucceeded;
    QString errorMsg;
    // The path of the written copy; absent when no copy was written.
    std::optional<QString> processedPath;

    static QString processedSuccessfully() { return QStringLiteral("Processed Successfully"); }
    static QString sourceNotAvailable() {
        return QStringLiteral("This photo is not available at the Source location.");
    }
    static QString unsupportedImage() { return QStringLiteral("Unsupported image"); }
    static QString corruptImage() { return QStringLiteral("Corrupt image"); }
    static QString sourceAccessDenied() { return QStringLiteral("Access denied to source file"); }
    static QString destinationAccessDenied() { return QStringLiteral("Access denied to destination folder"); }
    static QString destinationMissing() { return QStringLiteral("The destination folder does not exist"); }

    static ExifWriteResult answer(int flag, const QString& message) {
        ExifWriteResult result;
        result.errorFlag = flag;
        result.errorMsg = message;
        return result;
    }

    // An Exiv2 error text as the user reads it: the library's wording about opening files is cut away.
    static QString cleanedExiv2Message(QString what) {
        what.replace(QStringLiteral("Failed to open the data source: "), QString());
        what.replace(QStringLiteral(" (errno = 63)"), QStringLiteral("."));
        what.replace(QStringLiteral("Failed to open file (w+b):"), QString());
        return what;
    }

    // Flag 7 is a written copy too.
    bool isWritten() const { return errorFlag == ExifWriteSucceeded || errorFlag == ExifWriteRawCameraKept; }
};

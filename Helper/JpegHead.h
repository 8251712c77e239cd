#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform {
class ReadableFile;
}

// The head of a JPEG: its bytes up to and including the start-of-scan marker. Every piece of metadata lies
// in it, and everything after it (the image data and any trailer) is copied unchanged by the metadata
// library, so an edit needs only the head in memory and a copy can take the rest straight from the photo's
// file.
class JpegHead {
  public:
    enum class Scan { Found, NeedMore, NotFound };
    struct Result {
        Scan scan = Scan::NotFound;
        // Found: the head's length. NeedMore: how many bytes the walk needs at least to go on.
        qsizetype length = 0;
    };
    // Walks the segments of bytes, the first bytes of a file (all of them when isWholeFile), as Exiv2 does:
    // each marker but the start of scan and the end of image carries a length, and bytes up to the next 0xFF
    // are skipped. A walk that meets the end of image or a length below 2, or runs off the whole file,
    // finds no head.
    static Result find(QByteArrayView bytes, bool isWholeFile);

    // Reads the photo's head into bytes, or all of the photo when it has no head to be found (not a JPEG,
    // a damaged one). False, with the reason in *error, when the file cannot be read.
    static bool read(const platform::ReadableFile& file, QByteArray& bytes, QString* error);
};

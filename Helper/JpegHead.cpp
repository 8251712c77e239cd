#include "Helper/JpegHead.h"

#include "platform/ReadableFile.h"

#include <algorithm>

namespace {

constexpr unsigned char kMarkerStart = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
// Most heads are a few tens of KB; larger ones (a big preview or colour profile in APP segments) are read
// on in doubling steps.
constexpr qint64 kFirstRead = 64 * 1024;

unsigned char byteAt(QByteArrayView bytes, qsizetype at) {
    return static_cast<unsigned char>(bytes[at]);
}

}  // namespace

JpegHead::Result JpegHead::find(QByteArrayView bytes, bool isWholeFile) {
    // Where the bytes run out, a longer start of the file may still hold the head; the whole file cannot.
    const auto ranOut = [isWholeFile](qsizetype needed) {
        return isWholeFile ? Result{Scan::NotFound, 0} : Result{Scan::NeedMore, needed};
    };
    const qsizetype size = bytes.size();
    if (size < 2) return ranOut(2);
    if (byteAt(bytes, 0) != kMarkerStart || byteAt(bytes, 1) != kStartOfImage) return {Scan::NotFound, 0};
    qsizetype at = 2;
    for (;;) {
        while (at < size && byteAt(bytes, at) != kMarkerStart) ++at;
        while (at < size && byteAt(bytes, at) == kMarkerStart) ++at;
        if (at >= size) return ranOut(at + 1);
        const unsigned char marker = byteAt(bytes, at++);
        if (marker == kStartOfScan) return {Scan::Found, at};
        if (marker == kEndOfImage) return {Scan::NotFound, 0};
        if (at + 2 > size) return ranOut(at + 2);
        const qsizetype length = (qsizetype(byteAt(bytes, at)) << 8) | byteAt(bytes, at + 1);
        if (length < 2) return {Scan::NotFound, 0};
        at += length;
        if (at >= size) return ranOut(at + 1);
    }
}

bool JpegHead::read(const platform::ReadableFile& file, QByteArray& bytes, QString* error) {
    const qint64 size = file.size();
    bytes.clear();
    qint64 wanted = std::min(size, kFirstRead);
    for (;;) {
        if (!file.readInto(bytes, bytes.size(), wanted - bytes.size(), error)) return false;
        const Result head = find(bytes, bytes.size() == size);
        if (head.scan == Scan::Found) {
            bytes.truncate(head.length);
            return true;
        }
        if (head.scan == Scan::NotFound) return file.readInto(bytes, bytes.size(), size - bytes.size(), error);
        wanted = std::min(size, std::max<qint64>(head.length, 2 * bytes.size()));
    }
}

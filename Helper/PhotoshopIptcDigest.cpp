#include "Helper/PhotoshopIptcDigest.h"

#include <QCryptographicHash>

#include <optional>
#include <vector>

namespace {

constexpr unsigned char kApp13 = 0xED;
constexpr quint16 kIptcResource = 0x0404;
constexpr quint16 kDigestResource = 0x0425;
constexpr qsizetype kDigestSize = 16;
const QByteArrayView kPhotoshopSignature("Photoshop 3.0\0", 14);

quint32 bigEndian(QByteArrayView bytes, qsizetype at, int width) {
    quint32 value = 0;
    for (int i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The Photoshop resources of a JPEG, which may run over several APP13 segments, as one stream, with the
// file offset of each of its bytes' segment pieces.
struct ResourceStream {
    QByteArray bytes;
    struct Piece {
        qsizetype streamStart;
        qsizetype fileStart;
    };
    std::vector<Piece> pieces;

    qsizetype fileOffset(qsizetype streamOffset) const {
        const Piece* piece = &pieces.front();
        for (const Piece& candidate : pieces) {
            if (candidate.streamStart <= streamOffset) piece = &candidate;
        }
        return piece->fileStart + (streamOffset - piece->streamStart);
    }
};

ResourceStream photoshopResources(QByteArrayView jpeg) {
    ResourceStream stream;
    if (jpeg.size() < 4 || static_cast<unsigned char>(jpeg[0]) != 0xFF || static_cast<unsigned char>(jpeg[1]) != 0xD8)
        return stream;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
        const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) break;  // the image data starts, or the file ends
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2;
            continue;
        }
        const qsizetype length = bigEndian(jpeg, at + 2, 2);
        if (length < 2 || at + 2 + length > jpeg.size()) break;
        const QByteArrayView payload = jpeg.sliced(at + 4, length - 2);
        if (marker == kApp13 && payload.startsWith(kPhotoshopSignature)) {
            stream.pieces.push_back({stream.bytes.size(), at + 4 + kPhotoshopSignature.size()});
            stream.bytes.append(payload.sliced(kPhotoshopSignature.size()));
        }
        at += 2 + length;
    }
    return stream;
}

// Where the digest stands (file offsets of its 16 bytes) and the IPTC block it is of, when the JPEG holds
// exactly one of each.
struct DigestPair {
    std::vector<qsizetype> digestBytes;
    QByteArray iptc;
};

std::optional<DigestPair> digestPair(QByteArrayView jpeg) {
    const ResourceStream stream = photoshopResources(jpeg);
    const QByteArrayView irb(stream.bytes);
    int iptcBlocks = 0;
    int digests = 0;
    DigestPair pair;
    qsizetype at = 0;
    while (at + 12 <= irb.size() && irb.sliced(at, 4) == QByteArrayView("8BIM")) {
        const auto id = static_cast<quint16>(bigEndian(irb, at + 4, 2));
        // A Pascal name, padded to an even length with its length byte.
        const qsizetype nameLength = static_cast<unsigned char>(irb[at + 6]);
        const qsizetype sizeAt = at + 6 + ((nameLength + 2) & ~qsizetype(1));
        if (sizeAt + 4 > irb.size()) break;
        const qsizetype size = bigEndian(irb, sizeAt, 4);
        const qsizetype dataAt = sizeAt + 4;
        if (size > irb.size() - dataAt) break;
        if (id == kIptcResource) {
            ++iptcBlocks;
            pair.iptc = irb.sliced(dataAt, size).toByteArray();
        } else if (id == kDigestResource && size == kDigestSize) {
            ++digests;
            pair.digestBytes.clear();
            for (qsizetype i = 0; i < kDigestSize; ++i) pair.digestBytes.push_back(stream.fileOffset(dataAt + i));
        }
        at = dataAt + size + (size & 1);
    }
    if (iptcBlocks != 1 || digests != 1) return std::nullopt;
    return pair;
}

QByteArray md5(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
}

}  // namespace

bool PhotoshopIptcDigest::isCurrent(QByteArrayView jpeg) {
    const std::optional<DigestPair> pair = digestPair(jpeg);
    if (!pair) return false;
    QByteArray stored;
    for (qsizetype offset : pair->digestBytes) stored.append(jpeg[offset]);
    return stored == md5(pair->iptc);
}

bool PhotoshopIptcDigest::refresh(char* jpeg, qsizetype size) {
    const std::optional<DigestPair> pair = digestPair(QByteArrayView(jpeg, size));
    if (!pair) return false;
    const QByteArray digest = md5(pair->iptc);
    for (qsizetype i = 0; i < kDigestSize; ++i) jpeg[pair->digestBytes[static_cast<std::size_t>(i)]] = digest[i];
    return true;
}

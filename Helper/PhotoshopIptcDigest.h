#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The MD5 digest of the IPTC block that a JPEG's Photoshop segment keeps beside it (resource 0x0425). Other
// tools compare it with the IPTC block to tell whether a program that does not know of it changed IPTC
// since; a digest left stale after our own edit makes them warn, or trust the XMP over the new values.
class PhotoshopIptcDigest {
  public:
    // Whether the JPEG holds one digest and one IPTC block, and the digest matches that block.
    static bool isCurrent(QByteArrayView jpeg);
    // Makes the one digest of the JPEG match its one IPTC block, changing those 16 bytes in place; false
    // (nothing changed) when the JPEG has no such pair.
    static bool refresh(char* jpeg, qsizetype size);
};

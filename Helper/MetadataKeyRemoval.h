#pragma once

#include <QString>

namespace Exiv2 {
class ExifData;
class IptcData;
class XmpData;
}  // namespace Exiv2

// Takes entries out of Exiv2's containers by key text. An unknown key text raises Exiv2's error. Keys are
// looked up with findKey: a subscript lookup would add an empty entry that would then be written.
class MetadataKeyRemoval {
  public:
    // Removes the first entry with the key; answers whether there was one.
    static bool removeFirst(Exiv2::ExifData& data, const QString& key);
    static bool removeFirst(Exiv2::IptcData& data, const QString& key);
    static bool removeFirst(Exiv2::XmpData& data, const QString& key);
    // Removes every entry with the key (a repeatable IPTC dataset has one per item); answers how many went.
    static int removeAll(Exiv2::ExifData& data, const QString& key);
    static int removeAll(Exiv2::IptcData& data, const QString& key);
    static int removeAll(Exiv2::XmpData& data, const QString& key);
};

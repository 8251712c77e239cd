#include "Helper/MetadataKeyRemoval.h"

#include <exiv2/exiv2.hpp>

namespace {

template <typename Data, typename Key>
bool removeFirstOf(Data& data, const QString& key) {
    const Key parsed(key.toStdString());
    const auto found = data.findKey(parsed);
    if (found == data.end()) return false;
    data.erase(found);
    return true;
}

template <typename Data, typename Key>
int removeAllOf(Data& data, const QString& key) {
    const Key parsed(key.toStdString());
    int removed = 0;
    for (auto found = data.findKey(parsed); found != data.end(); found = data.findKey(parsed)) {
        data.erase(found);
        ++removed;
    }
    return removed;
}

}  // namespace

bool MetadataKeyRemoval::removeFirst(Exiv2::ExifData& data, const QString& key) {
    return removeFirstOf<Exiv2::ExifData, Exiv2::ExifKey>(data, key);
}

bool MetadataKeyRemoval::removeFirst(Exiv2::IptcData& data, const QString& key) {
    return removeFirstOf<Exiv2::IptcData, Exiv2::IptcKey>(data, key);
}

bool MetadataKeyRemoval::removeFirst(Exiv2::XmpData& data, const QString& key) {
    return removeFirstOf<Exiv2::XmpData, Exiv2::XmpKey>(data, key);
}

int MetadataKeyRemoval::removeAll(Exiv2::ExifData& data, const QString& key) {
    return removeAllOf<Exiv2::ExifData, Exiv2::ExifKey>(data, key);
}

int MetadataKeyRemoval::removeAll(Exiv2::IptcData& data, const QString& key) {
    return removeAllOf<Exiv2::IptcData, Exiv2::IptcKey>(data, key);
}

int MetadataKeyRemoval::removeAll(Exiv2::XmpData& data, const QString& key) {
    return removeAllOf<Exiv2::XmpData, Exiv2::XmpKey>(data, key);
}

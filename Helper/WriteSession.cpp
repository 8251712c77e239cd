#include "Helper/WriteSession.h"

#include "Helper/Logging.h"
#include "Helper/MetadataKeyRemoval.h"
#include "Helper/WriteValueForms.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/StringCategories.h"
#include "platform/TextEncoding.h"

#include <exiv2/exiv2.hpp>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace {

// assign() keeps the type the file (or the key's standard) gives; assignAs() names one.
constexpr int kTypeOfEntry = -1;

bool isUnsignedType(Exiv2::TypeId type) {
    switch (type) {
        case Exiv2::unsignedByte:
        case Exiv2::unsignedShort:
        case Exiv2::unsignedLong:
        case Exiv2::unsignedRational:
        case Exiv2::unsignedLongLong:
        case Exiv2::tiffIfd:
        case Exiv2::tiffIfd8:
            return true;
        default:
            return false;
    }
}

// A value of the type holding the text, or nothing when the type cannot hold it. Exiv2's own assignment
// ignores a failed read and leaves an entry without a value, which other readers take for a damaged file.
std::unique_ptr<Exiv2::Value> readValue(Exiv2::TypeId type, const QString& text) {
    // Unsigned types read "-5" as a huge number instead of refusing it.
    if (isUnsignedType(type) && text.contains(QLatin1Char('-'))) return nullptr;
    std::unique_ptr<Exiv2::Value> value(Exiv2::Value::create(type).release());
    if (value->read(text.toStdString()) != 0 || value->count() == 0) return nullptr;
    return value;
}

// An entry whose TIFF type Exiv2 does not know cannot be told its type back; such entries take the key's own.
bool hasKnownType(const Exiv2::Metadatum& datum) {
    return datum.typeName() != nullptr;
}

bool isXmpDateProperty(const Exiv2::XmpKey& key) {
    const Exiv2::XmpPropertyInfo* info = Exiv2::XmpProperties::propertyInfo(key);
    return info && info->xmpValueType_ && std::strcmp(info->xmpValueType_, "Date") == 0;
}

// The type a new value takes: the one named, else the entry's own, else the key's standard one. A comment is
// stored as undefined bytes, but only the comment type reads a text with its character set; an entry whose
// TIFF type Exiv2 does not know cannot be told its type back.
template <typename Iterator>
Exiv2::TypeId entryType(const Exiv2::ExifKey& key, Iterator found, Iterator end) {
    const Exiv2::TypeId standard = key.defaultTypeId();
    if (found == end || !hasKnownType(*found) || standard == Exiv2::comment) return standard;
    return found->typeId();
}

template <typename Iterator>
Exiv2::TypeId entryType(const Exiv2::IptcKey& key, Iterator found, Iterator end) {
    return found != end ? found->typeId() : Exiv2::IptcDataSets::dataSetType(key.tag(), key.record());
}

template <typename Iterator>
Exiv2::TypeId entryType(const Exiv2::XmpKey& key, Iterator found, Iterator end) {
    return found != end ? found->typeId() : Exiv2::XmpProperties::propertyType(key);
}

// The text as the value type reads it.
QString valueText(const Exiv2::ExifKey& /*key*/, Exiv2::TypeId type, const QString& text) {
    return type == Exiv2::comment ? WriteValueForms::userCommentText(text) : text;
}

QString valueText(const Exiv2::IptcKey& /*key*/, Exiv2::TypeId type, const QString& text) {
    // Exiv2 reads only "yyyy-MM-dd" into an IPTC date; "2019:07:10" would be stored as 2019-00-00.
    return type == Exiv2::date ? WriteValueForms::iptcDateText(text) : text;
}

QString valueText(const Exiv2::XmpKey& key, Exiv2::TypeId /*type*/, const QString& text) {
    return isXmpDateProperty(key) ? WriteValueForms::xmpDateText(text) : text;
}

// Gives the key the text as a value of its type, in any of the three containers; answers the text as it
// was read into the value, or nothing (and no change) when the type cannot hold it.
template <typename Data, typename Key>
std::optional<QString> assignEntry(Data& data, const Key& key, const QString& text, int typeId) {
    const auto found = data.findKey(key);
    const Exiv2::TypeId type =
        typeId != kTypeOfEntry ? static_cast<Exiv2::TypeId>(typeId) : entryType(key, found, data.end());
    QString typed = valueText(key, type, text);
    const std::unique_ptr<Exiv2::Value> value = readValue(type, typed);
    if (!value) return std::nullopt;
    if (found != data.end()) {
        found->setValue(value.get());
    } else {
        data.add(key, value.get());
    }
    return typed;
}

QString iptcText(const Exiv2::Iptcdatum& datum) {
    const std::string bytes = datum.toString();
    return platform::decodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool packetFailsToParse(const std::string& packet) {
    Exiv2::XmpData probe;
    return Exiv2::XmpParser::decode(probe, packet) != 0;
}

}  // namespace

WriteSession::WriteSession(Exiv2::Image& image, const PhotoFile& photo, const MetaDataObject& settings,
                           const MetaDataObject& onlyUpdated)
    : m_image(image),
      m_photo(photo),
      m_settings(settings),
      m_onlyUpdated(onlyUpdated),
      m_converter(FLTImageMetadata::initWithImageAtURL(photo.filePath)),
      m_isRawFile(isRawFileExtension(photo.fileExtension)) {
    for (const Exiv2::Iptcdatum& datum : image.iptcData()) {
        m_iptcOnOpening[QString::fromStdString(datum.key())].append(iptcText(datum));
    }
    // A packet Exiv2 cannot parse leaves the container empty, and writing the container would drop the packet.
    // A container that holds anything was parsed; asking the image for its packet would only serialize the
    // container once more, which costs about as much as writing it.
    if (!image.xmpData().empty()) return;
    // JPEG and most formats keep the raw packet in the image, TIFF-based ones in the container.
    const std::string& packet = image.xmpPacket().empty() ? image.xmpData().xmpPacket() : image.xmpPacket();
    if (!packet.empty() && packetFailsToParse(packet)) {
        m_xmpPacketUnreadable = true;
        m_unreadablePacket = packet;
    }
}

Exiv2::ExifData& WriteSession::exif() {
    return m_image.exifData();
}
Exiv2::IptcData& WriteSession::iptc() {
    return m_image.iptcData();
}
Exiv2::XmpData& WriteSession::xmp() {
    return m_image.xmpData();
}

bool WriteSession::isRawFileExtension(const QString& extension) {
    static const QStringList raw = {"NEF", "PEF", "SR2", "PPM", "NRW", "ORF", "DCR", "ARW", "SRF", "RAW"};
    return raw.contains(extension.toUpper());
}

bool WriteSession::assign(const QString& key, const QString& text) {
    return assignAs(key, text, kTypeOfEntry);
}

bool WriteSession::assignAs(const QString& key, const QString& text, int typeId) {
    const bool assigned = assignChecked(key, text, typeId);
    if (assigned) m_assignedKeys.insert(key);
    return assigned;
}

bool WriteSession::assignMirror(const QString& key, const QString& text) {
    return assignChecked(key, text, kTypeOfEntry);
}

bool WriteSession::assignChecked(const QString& key, const QString& text, int typeId) {
    const std::string name = key.toStdString();
    std::optional<QString> written;
    if (key.startsWith(QLatin1String("Exif."))) {
        written = assignEntry(exif(), Exiv2::ExifKey(name), text, typeId);
    } else if (key.startsWith(QLatin1String("Iptc."))) {
        written = assignEntry(iptc(), Exiv2::IptcKey(name), text, typeId);
        if (written && !WriteValueForms::isAscii(*written)) m_wroteNonAsciiIptc = true;
    } else if (m_xmpPacketUnreadable) {
        m_xmpChangeRefused = true;
        return false;
    } else {
        written = assignEntry(xmp(), Exiv2::XmpKey(name), text, typeId);
    }
    if (!written) reportNotWritten(key, text);
    return written.has_value();
}

bool WriteSession::replaceXmpValue(const QString& key, const Exiv2::Value& value) {
    Exiv2::XmpData& data = xmp();
    const auto found = data.findKey(Exiv2::XmpKey(key.toStdString()));
    if (found == data.end()) return false;
    found->setValue(&value);
    return true;
}

void WriteSession::assignEach(const QString& key, const QStringList& items) {
    erase(key);
    const Exiv2::IptcKey iptcKey(key.toStdString());
    const Exiv2::TypeId type = Exiv2::IptcDataSets::dataSetType(iptcKey.tag(), iptcKey.record());
    for (const QString& item : items) {
        const std::unique_ptr<Exiv2::Value> value = readValue(type, item);
        if (!value) {
            reportNotWritten(key, item);
            continue;
        }
        iptc().add(iptcKey, value.get());
        m_assignedKeys.insert(key);
        if (!WriteValueForms::isAscii(item)) m_wroteNonAsciiIptc = true;
    }
}

void WriteSession::erase(const QString& key) {
    m_assignedKeys.remove(key);
    if (key.startsWith(QLatin1String("Exif."))) {
        MetadataKeyRemoval::removeAll(exif(), key);
    } else if (key.startsWith(QLatin1String("Iptc."))) {
        MetadataKeyRemoval::removeAll(iptc(), key);
    } else if (m_xmpPacketUnreadable) {
        // Whether an unreadable packet holds the property can only be told from its text.
        const Exiv2::XmpKey xmpKey(key.toStdString());
        if (m_unreadablePacket.find(xmpKey.tagName()) != std::string::npos) m_xmpChangeRefused = true;
    } else {
        MetadataKeyRemoval::removeAll(xmp(), key);
    }
}

void WriteSession::clearIptc() {
    m_image.clearIptcData();
    m_assignedKeys.removeIf([](const QString& key) { return key.startsWith(QLatin1String("Iptc.")); });
}

void WriteSession::clearXmp() {
    m_image.clearXmpData();
    m_assignedKeys.removeIf([](const QString& key) { return key.startsWith(QLatin1String("Xmp.")); });
    // The whole packet goes on purpose, readable or not.
    m_xmpPacketUnreadable = false;
    m_xmpChangeRefused = false;
}

QString WriteSession::exifText(const QString& key) const {
    const Exiv2::ExifData& data = m_image.exifData();
    // findKey, not the subscript: a subscript lookup adds an empty entry that would then be written.
    const auto found = data.findKey(Exiv2::ExifKey(key.toStdString()));
    if (found == data.end()) return QString();
    const QString text = FLTImageMetadata::describe(m_converter.valueForExifMetadata(*found));
    return StringCategories::stringByTrimmingLeadingAndTrailingWhitespaceAndNewlineCharacters(text);
}

QStringList WriteSession::iptcTexts(const QString& key) const {
    const Exiv2::IptcData& data = m_image.iptcData();
    const Exiv2::IptcKey parsed(key.toStdString());
    QStringList texts;
    for (const Exiv2::Iptcdatum& datum : data) {
        if (datum.tag() == parsed.tag() && datum.record() == parsed.record()) texts.append(iptcText(datum));
    }
    return texts;
}

std::optional<double> WriteSession::exifNumber(const QString& key) const {
    const Exiv2::ExifData& data = m_image.exifData();
    const auto found = data.findKey(Exiv2::ExifKey(key.toStdString()));
    if (found == data.end() || found->count() == 0) return std::nullopt;
    if (found->typeId() != Exiv2::unsignedRational && found->typeId() != Exiv2::signedRational) return std::nullopt;
    auto component = [&found](long i) {
        const Exiv2::Rational r = found->toRational(i);
        return r.second == 0 ? std::numeric_limits<double>::quiet_NaN() : double(r.first) / double(r.second);
    };
    const double number =
        found->count() == 3 ? component(0) + component(1) / 60.0 + component(2) / 3600.0 : component(0);
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

void WriteSession::reportNotWritten(const QString& key, const QString& text) const {
    qCInfo(lcHelper).noquote() << QStringLiteral("Not written to %1: %2 cannot hold \"%3\"; the file's value stays")
                                      .arg(m_photo.filePath, key, text);
}

#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

#include "Helper/FLTImageMetadata.h"

namespace Exiv2 {
class Image;
class ExifData;
class IptcData;
class XmpData;
class Value;
}  // namespace Exiv2

class MetaDataObject;
class PhotoFile;

// One write in progress: the photo opened in memory with its EXIF, IPTC and XMP containers, the records it
// is written from, and what the passes learn on the way (the raw-camera flag, an unreadable XMP packet,
// non-ASCII IPTC text). Every change to the containers goes through here, so each assignment is checked the same way.
// Owned by one write call on one thread; it keeps nothing afterwards.
class WriteSession {
  public:
    WriteSession(Exiv2::Image& image, const PhotoFile& photo, const MetaDataObject& settings,
                 const MetaDataObject& onlyUpdated);
    WriteSession(const WriteSession&) = delete;
    WriteSession& operator=(const WriteSession&) = delete;

    Exiv2::Image& image() { return m_image; }
    Exiv2::ExifData& exif();
    Exiv2::IptcData& iptc();
    Exiv2::XmpData& xmp();
    const PhotoFile& photo() const { return m_photo; }
    const MetaDataObject& settings() const { return m_settings; }
    const MetaDataObject& onlyUpdated() const { return m_onlyUpdated; }

    // Raw camera files keep their camera make and model; the write then answers flag 7.
    static bool isRawFileExtension(const QString& extension);
    bool isRawFile() const { return m_isRawFile; }
    int resultFlag() const { return m_resultFlag; }
    void setResultFlag(int flag) { m_resultFlag = flag; }

    // Gives the key the text as its value type reads it (the file's own type, or the key's standard type for
    // a new entry). A text the type cannot read changes nothing: an entry that existed keeps its value, none
    // is created, and a line is logged. Answers whether the value was taken.
    bool assign(const QString& key, const QString& text);
    // The same, but the value takes the Exiv2 type typeId, whatever the file held.
    bool assignAs(const QString& key, const QString& text, int typeId);
    // The same for a value derived from another one (the IPTC date from the original date, the XMP copy of a
    // GPS position, the character-set marker): a format that cannot hold it does not fail the write.
    bool assignMirror(const QString& key, const QString& text);
    // Gives an XMP property the photo holds a value made by the caller (a list or a language alternative);
    // false, and no change, when it holds none.
    bool replaceXmpValue(const QString& key, const Exiv2::Value& value);
    // Replaces every dataset of the key with one per item (for the repeatable keywords).
    void assignEach(const QString& key, const QStringList& items);
    // Removes every entry with the key.
    void erase(const QString& key);
    void clearIptc();
    void clearXmp();

    // One log line for a value that has no sound form for its key; the file's value stays.
    void reportNotWritten(const QString& key, const QString& text) const;

    // The file's current value of an EXIF key as trimmed text; "" when the file has no such entry.
    QString exifText(const QString& key) const;
    // The texts of every dataset of an IPTC key, now and as the photo held them when it was opened.
    QStringList iptcTexts(const QString& key) const;
    QStringList iptcTextsOnOpening(const QString& key) const { return m_iptcOnOpening.value(key); }

    // The keys this write gave a value, which the written file must hold.
    const QSet<QString>& assignedKeys() const { return m_assignedKeys; }

    // The file's current rational number at an EXIF key: degrees for a three-part position, otherwise the
    // first component; nothing when the file has no such entry or it is not a rational.
    std::optional<double> exifNumber(const QString& key) const;

    // Non-ASCII text went into IPTC, which then needs its UTF-8 character-set marker.
    bool wroteNonAsciiIptc() const { return m_wroteNonAsciiIptc; }
    // Exiv2 could not parse the file's XMP packet, so its XMP container is empty although the file has XMP.
    bool isXmpPacketUnreadable() const { return m_xmpPacketUnreadable; }
    const std::string& unreadableXmpPacket() const { return m_unreadablePacket; }
    // The edit asked to change XMP that could not be read.
    bool isXmpChangeRefused() const { return m_xmpChangeRefused; }

  private:
    bool assignChecked(const QString& key, const QString& text, int typeId);

    Exiv2::Image& m_image;
    const PhotoFile& m_photo;
    const MetaDataObject& m_settings;
    const MetaDataObject& m_onlyUpdated;
    FLTImageMetadata m_converter;
    bool m_isRawFile = false;
    int m_resultFlag = 0;
    bool m_wroteNonAsciiIptc = false;
    bool m_xmpPacketUnreadable = false;
    bool m_xmpChangeRefused = false;
    std::string m_unreadablePacket;
    QSet<QString> m_assignedKeys;
    QHash<QString, QStringList> m_iptcOnOpening;
};

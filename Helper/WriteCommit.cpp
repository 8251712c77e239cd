#include "Helper/WriteCommit.h"

#include "Helper/Logging.h"
#include "Helper/WriteDatePass.h"
#include "Helper/WriteRefusal.h"
#include "Helper/WriteSession.h"
#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"
#include "model/Utils.h"
#include "platform/WallClock.h"

#include <exiv2/exiv2.hpp>

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace {

const char* const kIptcCharacterSet = "Iptc.Envelope.CharacterSet";
// ISO 2022 escape sequence that declares UTF-8.
const char* const kUtf8Marker = "\x1b%G";
const char* const kGpsVersion = "Exif.GPSInfo.GPSVersionID";
const char* const kExifVersion = "Exif.Photo.ExifVersion";

}  // namespace

void WriteCommit::write(WriteSession& session) {
    keepUnreadableXmpPacket(session);
    dropEntriesOfUnknownType(session);
    dropPointersFromTheThumbnail(session);
    markIptcAsUtf8(session);
    addGpsVersion(session);
    raiseExifVersion(session);
    Exiv2::Image& image = session.image();
    image.writeMetadata();
    refuseWithoutImage(session);
    verifyWritten(session);
    session.exif().clear();
    session.iptc().clear();
    session.xmp().clear();
}

WriteCommit::FileDates WriteCommit::fileDates(const PhotoFile& photo, const MetaDataObject& settings) {
    return {WriteDatePass::ruleResult(settings.dateTimeConfigCreationDate, photo, &MetaDataObject::Date_Creation),
            WriteDatePass::ruleResult(settings.dateTimeConfigModifyDate, photo, &MetaDataObject::Date_Modify)};
}

std::optional<QDateTime> WriteCommit::modificationDate(const FileDates& dates) {
    if (dates.modify.isEmpty()) return std::nullopt;
    const platform::DateFormat& format = platform::DateFormat::forThread(Utils::exifDateFormat());
    const std::optional<platform::WallTime> time = format.parse(dates.modify);
    if (!time) return std::nullopt;
    const platform::DateParts parts = platform::GregorianCalendar::split(*time);
    // The reading is the photo's local wall clock, so the file shows the same hour in a file manager.
    return QDateTime(QDate(parts.year, parts.month, parts.day), QTime(parts.hour, parts.minute, parts.second));
}

void WriteCommit::keepUnreadableXmpPacket(WriteSession& session) {
    if (!session.isXmpPacketUnreadable()) return;
    if (session.isXmpChangeRefused()) {
        throw WriteRefusal(
            QStringLiteral("The photo's XMP metadata cannot be read, so its XMP fields cannot be changed"));
    }
    // Written from the container, the packet Exiv2 could not parse would silently vanish. Most formats take
    // the image's packet; TIFF-based ones take the container's own copy of it.
    Exiv2::Image& image = session.image();
    image.xmpPacket() = session.unreadableXmpPacket();
    image.writeXmpFromPacket(true);
    session.xmp().setPacket(session.unreadableXmpPacket());
    session.xmp().usePacket(true);
}

void WriteCommit::dropEntriesOfUnknownType(WriteSession& session) {
    // Exiv2 writes such an entry first in its directory, where other readers stop and lose every entry after
    // it. Its bytes mean nothing to anyone, so it goes.
    QStringList unknown;
    for (const Exiv2::Exifdatum& datum : session.exif()) {
        if (datum.typeName() == nullptr) unknown.append(QString::fromStdString(datum.key()));
    }
    unknown.removeDuplicates();
    for (const QString& key : unknown) {
        qCInfo(lcHelper).noquote() << QStringLiteral("Dropped %1 from the copy of %2: its TIFF type is unknown")
                                          .arg(key, session.photo().filePath);
        session.erase(key);
    }
}

void WriteCommit::dropPointersFromTheThumbnail(WriteSession& session) {
    // A few cameras point from the thumbnail's directory to a second copy of their Exif and GPS blocks. Exiv2
    // reads those pointers as plain numbers and writes them back unchanged while it moves the blocks, so in the
    // copy they would point into other data: readers warn of a damaged file, and some show the old dates they
    // find there in place of the copy's own. What they pointed at repeats the main directory's blocks.
    for (const char* key : {"Exif.Thumbnail.ExifTag", "Exif.Thumbnail.GPSTag"}) {
        const Exiv2::ExifData& exif = session.exif();
        if (exif.findKey(Exiv2::ExifKey(key)) != exif.end()) session.erase(QString::fromLatin1(key));
    }
}

void WriteCommit::markIptcAsUtf8(WriteSession& session) {
    if (!session.wroteNonAsciiIptc()) return;
    const Exiv2::IptcData& iptc = session.iptc();
    if (iptc.findKey(Exiv2::IptcKey(kIptcCharacterSet)) != iptc.end()) return;
    session.assignMirror(QString::fromLatin1(kIptcCharacterSet), QString::fromLatin1(kUtf8Marker));
}

void WriteCommit::addGpsVersion(WriteSession& session) {
    // A GPS block is only read as one with its version, which the standard requires; a block we started or
    // changed gets the version of the standard it is written by.
    const QSet<QString>& assigned = session.assignedKeys();
    const bool wroteGps = std::any_of(assigned.begin(), assigned.end(), [](const QString& key) {
        return key.startsWith(QLatin1String("Exif.GPSInfo."));
    });
    if (!wroteGps || !session.exifText(QString::fromLatin1(kGpsVersion)).isEmpty()) return;
    session.assignMirror(QString::fromLatin1(kGpsVersion), QStringLiteral("2 3 0 0"));
}

void WriteCommit::raiseExifVersion(WriteSession& session) {
    // These tags came with version 2.3 of the standard; a file that holds them while it claims an older
    // version contradicts itself.
    static const char* const exif23Keys[] = {"Exif.Photo.CameraOwnerName", "Exif.Photo.BodySerialNumber",
                                             "Exif.Photo.LensMake", "Exif.Photo.LensModel",
                                             "Exif.Photo.LensSerialNumber"};
    const QSet<QString>& assigned = session.assignedKeys();
    const bool wrote23 = std::any_of(std::begin(exif23Keys), std::end(exif23Keys),
                                     [&assigned](const char* key) { return assigned.contains(QLatin1String(key)); });
    if (!wrote23) return;
    const auto found = session.exif().findKey(Exiv2::ExifKey(kExifVersion));
    if (found == session.exif().end() || found->typeId() != Exiv2::undefined || found->count() != 4) return;
    std::string digits;
    for (long i = 0; i < 4; ++i) digits += static_cast<char>(found->toLong(i));
    if (digits >= "0230") return;
    session.assignMirror(QString::fromLatin1(kExifVersion), QStringLiteral("48 50 51 48"));
}

void WriteCommit::refuseWithoutImage(WriteSession& session) {
    // A file whose directories are garbage can come back from Exiv2 as nothing at all, or as bytes no reader
    // takes for an image; such a copy is no photo, whatever its metadata.
    Exiv2::BasicIo& io = session.image().io();
    const long size = static_cast<long>(io.size());
    bool isImage = false;
    if (size > 0) {
        io.open();
        isImage = Exiv2::ImageFactory::getType(io.mmap(), size) != Exiv2::ImageType::none;
        io.munmap();
    }
    if (!isImage) throw WriteRefusal(noImageDataMessage());
}

void WriteCommit::verifyWritten(WriteSession& session) {
    // Some formats hold only part of EXIF and drop the rest without a word (Canon CRW keeps a few camera
    // tags, no IPTC, no XMP); a value the file did not take must not be reported as written. JPEG holds all
    // three blocks whole, and reading it again would double the cost of the commonest write. A TIFF is read
    // again in any case: one whose directories were garbage comes back holding no picture at all.
    Exiv2::Image& image = session.image();
    if (image.mimeType() == "image/jpeg") return;
    const bool isTiff = dynamic_cast<Exiv2::TiffImage*>(&image) != nullptr;
    if (session.assignedKeys().isEmpty() && !isTiff) return;
    Exiv2::BasicIo& io = image.io();
    io.open();
    Exiv2::Image::AutoPtr written = Exiv2::ImageFactory::open(io.mmap(), static_cast<long>(io.size()));
    written->readMetadata();
    io.munmap();
    if (isTiff && !holdsImageData(written->exifData())) throw WriteRefusal(noImageDataMessage());
    QStringList keys = session.assignedKeys().values();
    keys.sort();
    for (const QString& key : keys) {
        const std::string name = key.toStdString();
        bool held = false;
        if (key.startsWith(QLatin1String("Exif."))) {
            held = written->exifData().findKey(Exiv2::ExifKey(name)) != written->exifData().end();
        } else if (key.startsWith(QLatin1String("Iptc."))) {
            held = written->iptcData().findKey(Exiv2::IptcKey(name)) != written->iptcData().end();
        } else {
            held = written->xmpData().findKey(Exiv2::XmpKey(name)) != written->xmpData().end();
        }
        if (!held) throw WriteRefusal(QStringLiteral("This file format cannot hold %1").arg(key));
    }
}

bool WriteCommit::holdsImageData(const Exiv2::ExifData& exif) {
    // Strips or tiles in any directory (the main image, a raw file's sub-images), or at least a preview.
    for (const Exiv2::Exifdatum& datum : exif) {
        const std::string tag = datum.tagName();
        if (tag == "StripOffsets" || tag == "TileOffsets" || tag == "JPEGInterchangeFormat") return true;
    }
    return false;
}

// The shared instance, key removal, decimal commas, the value converter and the writer's file checks.
#include "Helper/ExifWriter.h"
#include "Helper/Exiv2Runtime.h"
#include "Helper/FLTImageMetadata.h"
#include "Helper/WriteCommit.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"
#include "tests/Helper/HelperFixtures.h"

#include <exiv2/exiv2.hpp>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace {

TEST(ASharedWriter, isOneInstanceForEveryThread) {
    std::vector<const ExifWriter*> seen(16, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &ExifWriter::sharedInstance(); });
    for (std::thread& thread : threads) thread.join();
    for (const ExifWriter* writer : seen) EXPECT_EQ(writer, &ExifWriter::sharedInstance());
}

TEST(AnExifKeyRemoval, removesOnlyTheFirstOfTwoEntries) {
    Exiv2::ExifData exif;
    exif.add(Exiv2::ExifKey("Exif.Image.Artist"), new Exiv2::AsciiValue("first"));
    exif.add(Exiv2::ExifKey("Exif.Image.Artist"), new Exiv2::AsciiValue("second"));
    exif["Exif.Image.Make"] = "Canon";
    const Exiv2::ExifData result = ExifWriter::sharedInstance().deleteKeysValuesFromExifData(exif, "Exif.Image.Artist");
    ASSERT_EQ(result.count(), 2);
    EXPECT_EQ(result.findKey(Exiv2::ExifKey("Exif.Image.Artist"))->toString(), "second");
    EXPECT_EQ(exif.count(), 3) << "the caller's container is untouched";
}

TEST(AnExifKeyRemoval, leavesAContainerWithoutTheKeyAsItWas) {
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Canon";
    const Exiv2::ExifData result = ExifWriter::sharedInstance().deleteKeysValuesFromExifData(exif, "Exif.Image.Artist");
    EXPECT_EQ(result.count(), 1);
}

TEST(AnExifKeyRemoval, raisesExiv2sErrorForAnUnknownKey) {
    EXPECT_THROW(ExifWriter::sharedInstance().deleteKeysValuesFromExifData(Exiv2::ExifData(), "Exif.Nowhere.Nothing"),
                 Exiv2::AnyError);
}

TEST(AnIptcKeyRemoval, removesEveryKeywordAndNothingElse) {
    Exiv2::IptcData iptc;
    for (const char* word : {"sky", "sea"})
        iptc.add(Exiv2::IptcKey("Iptc.Application2.Keywords"), new Exiv2::StringValue(word));
    iptc.add(Exiv2::IptcKey("Iptc.Application2.City"), new Exiv2::StringValue("Bern"));
    iptc.add(Exiv2::IptcKey("Iptc.Application2.Keywords"), new Exiv2::StringValue("sun"));
    iptc.add(Exiv2::IptcKey("Iptc.Application2.Byline"), new Exiv2::StringValue("A"));
    iptc.add(Exiv2::IptcKey("Iptc.Application2.Byline"), new Exiv2::StringValue("B"));
    const ExifWriter& writer = ExifWriter::sharedInstance();
    const Exiv2::IptcData noKeywords = writer.deleteKeysValuesFromIptcData(iptc, "Iptc.Application2.Keywords");
    EXPECT_EQ(noKeywords.count(), 3);
    EXPECT_EQ(noKeywords.findKey(Exiv2::IptcKey("Iptc.Application2.Keywords")), noKeywords.end());
    const Exiv2::IptcData oneByline = writer.deleteKeysValuesFromIptcData(iptc, "Iptc.Application2.Byline");
    EXPECT_EQ(oneByline.count(), 5);
}

TEST(AnXmpKeyRemoval, keepsThePacketAndOtherProperties) {
    Exiv2Runtime::initialize();
    Exiv2::XmpData xmp;
    xmp["Xmp.aux.Lens"] = "EF50mm";
    xmp["Xmp.aux.SerialNumber"] = "123";
    xmp.setPacket("<packet/>");
    xmp.usePacket(true);
    const Exiv2::XmpData result = ExifWriter::sharedInstance().deleteKeysValuesFromXmpData(xmp, "Xmp.aux.Lens");
    EXPECT_EQ(result.count(), 1);
    EXPECT_EQ(result.xmpPacket(), "<packet/>");
    EXPECT_TRUE(result.usePacket());
}

TEST(APrismKeyTest, findsOnlyTheExactKey) {
    Exiv2Runtime::initialize();
    Exiv2::XmpData xmp;
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL("unused");
    const ExifWriter& writer = ExifWriter::sharedInstance();
    EXPECT_FALSE(writer.isPrismKeyExist(xmp, converter, "Xmp.prism.keyword"));
    xmp["Xmp.aux.Lens"] = "EF50mm";
    EXPECT_FALSE(writer.isPrismKeyExist(xmp, converter, "Xmp.prism.keyword"));
    xmp["Xmp.prism.keyword"] = "sky";
    EXPECT_TRUE(writer.isPrismKeyExist(xmp, converter, "Xmp.prism.keyword"));
    EXPECT_FALSE(writer.isPrismKeyExist(xmp, converter, "Xmp.prism.Keyword"));
}

TEST(ADecimalCommaNormalisation, touchesOnlyTheThirteenDecimalFields) {
    MetaDataObject record;
    record.CamSetting_FNumber = "2,8";
    record.GPS_Lattitude = "1,2,3";
    record.XMP_Longitude = "7.5";
    record.GPS_Altitude = QString();
    record.AdvCamSetting_ExposureMode = "1,2";
    ExifWriter::sharedInstance().replaceCommaValueToDot(record);
    EXPECT_EQ(record.CamSetting_FNumber, "2.8");
    EXPECT_EQ(record.GPS_Lattitude, "1.2.3");
    EXPECT_EQ(record.XMP_Longitude, "7.5");
    EXPECT_TRUE(record.GPS_Altitude.isNull());
    EXPECT_EQ(record.AdvCamSetting_ExposureMode, "1,2");
}

TEST(AValueConverter, choosesTheValueByTypeName) {
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL("unused");
    Exiv2::Exifdatum make(Exiv2::ExifKey("Exif.Image.Make"));
    make.setValue("Canon");
    EXPECT_EQ(converter.valueForExifMetadata(make), QVariant(QString("Canon")));

    Exiv2::Exifdatum iso(Exiv2::ExifKey("Exif.Photo.ISOSpeedRatings"));
    iso.setValue("100 200");
    EXPECT_EQ(converter.valueForExifMetadata(iso).toLongLong(), 100);

    Exiv2::Exifdatum latitude(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude"));
    latitude.setValue("37/1 46/1 3050/100");
    EXPECT_EQ(converter.valueForExifMetadata(latitude), QVariant(QVariantList{37.0, 46.0, 30.5}));

    Exiv2::Exifdatum bytes(Exiv2::ExifKey("Exif.Photo.ComponentsConfiguration"));
    bytes.setValue("1 2 3 0");
    EXPECT_EQ(converter.valueForExifMetadata(bytes), QVariant(QVariantList{"1", "2", "3", "0"}));

    Exiv2::Exifdatum bias(Exiv2::ExifKey("Exif.Photo.ExposureBiasValue"));
    bias.setValue("-1/3");
    EXPECT_EQ(converter.valueForExifMetadata(bias), QVariant(QString("-1/3")));
}

TEST(AValueConverter, keepsAZeroDenominatorAsANonFiniteElement) {
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL("unused");
    Exiv2::Exifdatum number(Exiv2::ExifKey("Exif.Photo.FNumber"));
    number.setValue("28/0");
    const QVariantList value = converter.valueForExifMetadata(number).toList();
    ASSERT_EQ(value.size(), 1);
    EXPECT_FALSE(std::isfinite(value[0].toDouble()));
    EXPECT_EQ(ExifWriter::sharedInstance().extractStringFromArrVal(value), QVariant(QString("")));
}

TEST(AValueConverter, decodesWindows1252BytesWithoutLosingThem) {
    const FLTImageMetadata converter = FLTImageMetadata::initWithImageAtURL("unused");
    Exiv2::Exifdatum artist(Exiv2::ExifKey("Exif.Image.Artist"));
    artist.setValue(std::string("Jos\xe9"));
    EXPECT_EQ(converter.valueForExifMetadata(artist), QVariant(QString::fromUtf8("José")));
}

TEST(TheKeyTable, namesOnlyKeysExiv2Accepts) {
    Exiv2Runtime::initialize();
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        for (const char* key : {row.key, row.xmpMirrorKey, row.dateRuleAlsoKey}) {
            if (!key) continue;
            const std::string text(key);
            if (text.rfind("Exif.", 0) == 0) {
                EXPECT_NO_THROW(Exiv2::ExifKey{text}) << text;
            } else if (text.rfind("Iptc.", 0) == 0) {
                EXPECT_NO_THROW(Exiv2::IptcKey{text}) << text;
            } else {
                EXPECT_NO_THROW(Exiv2::XmpKey{text}) << text;
            }
        }
    }
    for (const MetadataCleanOnlyKey& entry : MetadataKeyTable::cleanOnlyKeys())
        EXPECT_NO_THROW(Exiv2::ExifKey{std::string(entry.key)}) << entry.key;
}

// The copy's file date: the modify text as wall-clock time; the creation date cannot be set on Linux, and a text that
// does not read gives the copy the date of its writing.
TEST(AFileDate, isTheModifyTextReadAsWallClockTime) {
    EXPECT_EQ(WriteCommit::modificationDate({"2020:05:01 10:00:00", "2020:04:01 10:00:00"}),
              QDateTime(QDate(2020, 4, 1), QTime(10, 0)));
    EXPECT_EQ(WriteCommit::modificationDate({"2020:05:01 10:00:00", "2020-05-01 10:00:00"}), std::nullopt);
    EXPECT_EQ(WriteCommit::modificationDate({"2020:05:01 10:00:00", ""}), std::nullopt);
}

}  // namespace

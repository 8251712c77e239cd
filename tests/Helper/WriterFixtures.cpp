#include "tests/Helper/WriterFixtures.h"

#include "tests/common/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace writerfixtures {
namespace {

// Every field group the writer touches, with values the tests can tell apart from what they write.
QStringList seedArguments() {
    const QString date = seededDate();
    return {
        "-EXIF:Make=NIKON CORPORATION",
        "-EXIF:Model=NIKON D70",
        "-EXIF:Artist=Original Artist",
        "-EXIF:Copyright=Original Copyright",
        "-EXIF:ImageDescription=Original description",
        "-EXIF:Software=Seed 1.0",
        "-EXIF:UserComment=Original comment",
        "-EXIF:OwnerName=Owner",
        "-EXIF:SerialNumber=SN1",
        "-EXIF:DateTimeOriginal=" + date,
        "-EXIF:CreateDate=" + date,
        "-EXIF:ModifyDate=" + date,
        "-EXIF:ISO=200",
        "-EXIF:FNumber=4",
        "-EXIF:FocalLength=50",
        "-EXIF:FocalLengthIn35mmFormat=75",
        "-EXIF:ExposureTime=1/60",
        "-EXIF:Flash#=16",
        "-EXIF:Orientation#=1",
        "-EXIF:MeteringMode#=5",
        "-EXIF:ExposureMode#=0",
        "-EXIF:ExposureProgram#=2",
        "-EXIF:SceneCaptureType#=0",
        "-EXIF:WhiteBalance#=0",
        "-EXIF:ApertureValue=4",
        "-EXIF:LensMake=Nikkor",
        "-EXIF:LensModel=50mm f/1.8",
        "-EXIF:GPSLatitude=10.5",
        "-EXIF:GPSLatitudeRef=N",
        "-EXIF:GPSLongitude=20.25",
        "-EXIF:GPSLongitudeRef=E",
        "-EXIF:GPSAltitude=100",
        "-EXIF:GPSAltitudeRef#=0",
        "-EXIF:GPSImgDirection=45",
        "-EXIF:GPSImgDirectionRef=T",
        "-IPTC:By-line=Original Byline",
        "-IPTC:City=Original City",
        "-IPTC:Keywords=old one",
        "-IPTC:Keywords=old two",
        "-IPTC:DateCreated=2019:07:31",
        "-IPTC:Country-PrimaryLocationCode=FRA",
        "-XMP-aux:SerialNumber=XSN1",
        "-XMP-aux:Lens=Original lens",
        "-XMP-xmp:CreateDate=" + date,
        "-XMP-xmp:ModifyDate=" + date,
        "-XMP-photoshop:DateCreated=" + date,
        "-XMP-exif:GPSLatitude=10.5 N",
        "-XMP-exif:GPSLongitude=20.25 E",
        "-XMP-prism:Keyword=prism word",
    };
}

QString makeTemplate(const QString& folder, Format format) {
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    const QString path = folder + (format == Format::Jpeg ? "/template.jpg" : "/template.tif");
    image.save(path, format == Format::Jpeg ? "JPEG" : "TIFF");
    exiftoolWrite(path, seedArguments());
    return path;
}

QString templatePath(Format format) {
    static QTemporaryDir folder;
    static const QString jpeg = makeTemplate(folder.path(), Format::Jpeg);
    static const QString tiff = makeTemplate(folder.path(), Format::Tiff);
    return format == Format::Jpeg ? jpeg : tiff;
}

}  // namespace

QString seededPhoto(const QString& folder, const QString& fileName, Format format) {
    const QString path = QDir(folder).filePath(fileName);
    QFile::copy(templatePath(format), path);
    QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther | QFileDevice::ReadGroup);
    return path;
}

PhotoFile photoAt(const QString& path) {
    helperfixtures::installReader();
    return PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false);
}

QJsonObject exiftoolTags(const QString& path) {
    const QByteArray out = testsupport::exiftool({"-j", "-G1", "-n", "-a", path});
    const QJsonArray files = QJsonDocument::fromJson(out).array();
    return files.isEmpty() ? QJsonObject() : files.first().toObject();
}

QMap<QString, QString> exifFormats(const QString& path) {
    const QStringList lines = QString::fromUtf8(testsupport::exiftool({"-v3", path})).split(QLatin1Char('\n'));
    static const QRegularExpression entry(QStringLiteral("^[ |]*\\d+\\)\\s+(\\w+) = "));
    static const QRegularExpression format(QStringLiteral("- Tag 0x[0-9a-f]+ \\(\\d+ bytes?, ([^)]+)\\)"));
    QMap<QString, QString> formats;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QRegularExpressionMatch name = entry.match(lines[i]);
        const QRegularExpressionMatch match = format.match(lines[i + 1]);
        if (name.hasMatch() && match.hasMatch()) formats.insert(name.captured(1), match.captured(1));
    }
    return formats;
}

QByteArray xmpPacket(const QString& path) {
    return testsupport::exiftool({"-b", "-XMP", path});
}

DateTimeConfigurationRef rule(int option) {
    auto config = std::make_shared<DateTimeConfiguration>();
    config->tagConfigureOption = option;
    return config;
}

void setAllRules(MetaDataObject& record, const DateTimeConfigurationRef& config) {
    record.dateTimeConfigOriginalDate = config;
    record.dateTimeConfigCreationDate = config;
    record.dateTimeConfigModifyDate = config;
    record.dateTimeConfigXMPCreationDate = config;
    record.dateTimeConfigXMPModifyDate = config;
    record.dateTimeConfigPhotoshopCreationDate = config;
}

QString modificationTime(const QString& path) {
    // The writer sets the wall-clock reading as local time, so it is read back the same way.
    return QFileInfo(path).lastModified().toString(QStringLiteral("yyyy:MM:dd HH:mm:ss"));
}

}  // namespace writerfixtures

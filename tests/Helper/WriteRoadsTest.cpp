// A JPEG's copy made from its head, with the rest taken from its file, is the copy the whole-file road makes:
// for every sample camera file, the suite's own JPEGs and JPEGs with damaged heads.
#include "Helper/ExifWriter.h"
#include "Helper/JpegHead.h"
#include "tests/Helper/WriterFixtures.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace writerfixtures;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where a JPEG's image data starts, worked out apart from JpegHead: right after the first start-of-scan marker met
// walking the segments from the start of image, each marker but that one and the end of image followed by its
// length, and stray bytes and fill bytes 0xFF between segments skipped. 0 where the walk meets no start of scan.
qsizetype imageDataStart(const QByteArray& jpeg) {
    if (!jpeg.startsWith("\xFF\xD8")) return 0;
    for (qsizetype at = 2; at + 1 < jpeg.size();) {
        if (uchar(jpeg[at]) != 0xFF || uchar(jpeg[at + 1]) == 0xFF) {
            ++at;
            continue;
        }
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xDA) return at + 2;
        if (marker == 0xD9 || at + 3 >= jpeg.size()) return 0;
        const int length = uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]);
        if (length < 2) return 0;
        at += 2 + length;
    }
    return 0;
}

// The real disk, noting how many bytes of a copy came straight from the photo's file.
class RestRecordingFiles : public platform::FileManager {
  public:
    qint64 restBytes = 0;
    bool writeFile(const QString& target, QByteArrayView bytes, const NewFile& file, QString* error,
                   platform::FileRest rest) override {
        restBytes = rest.file ? rest.file->size() - rest.offset : 0;
        return FileManager::writeFile(target, bytes, file, error, rest);
    }
};

struct RoadCopy {
    ExifWriteResult result;
    qint64 restBytes = 0;
};

RoadCopy writeByRoad(const PhotoFile& photo, const MetaDataObject& settings, const QString& folder,
                     ExifWriter::CopyRoad road) {
    QDir().mkpath(folder);
    RestRecordingFiles files;
    const QString target = folder + '/' + QFileInfo(photo.filePath).fileName();
    return {ExifWriter::sharedInstance().writeMetaDataToFilePath(photo, settings, target, {}, false, files, road),
            files.restBytes};
}

// Writes the source by both roads, each into a folder of its own: the same answer, the same copy byte for byte or
// none, the source untouched, and on the head road only the rest after the start of scan taken from the file.
void expectOneCopyByBothRoads(const QString& source, const MetaDataObject& settings, const QString& out) {
    const QByteArray original = contentOf(source);
    const PhotoFile photo = photoAt(source);
    const RoadCopy whole = writeByRoad(photo, settings, out + "/whole", ExifWriter::CopyRoad::WholeFile);
    const RoadCopy head = writeByRoad(photo, settings, out + "/head", ExifWriter::CopyRoad::HeadWhereFound);
    const std::string label = source.toStdString();

    EXPECT_EQ(contentOf(source), original) << label;
    EXPECT_EQ(head.result.errorFlag, whole.result.errorFlag) << label;
    EXPECT_EQ(head.result.errorMsg, whole.result.errorMsg) << label;
    EXPECT_EQ(QDir(out + "/head").entryList(QDir::Files | QDir::Hidden),
              QDir(out + "/whole").entryList(QDir::Files | QDir::Hidden))
        << label;
    if (!head.result.isWritten()) return;
    const qsizetype imageData = imageDataStart(original);
    EXPECT_EQ(head.restBytes, imageData > 0 ? original.size() - imageData : 0) << label;
    EXPECT_EQ(whole.restBytes, 0) << label;
    EXPECT_EQ(contentOf(*head.result.processedPath), contentOf(*whole.result.processedPath)) << label;
}

// A seeded JPEG cut, or with bytes put in or over, at a place of its head; and whether a head is left to find.
struct DamagedHead {
    const char* name;
    enum Place { Start, ExifSegment, StartOfScan, End } place;
    int offset;
    enum Edit { CutThere, Insert, Overwrite } edit;
    QByteArray bytes;
    bool hasHead;
};

QByteArray damaged(const QByteArray& jpeg, const DamagedHead& row) {
    const qsizetype places[] = {0, jpeg.indexOf(QByteArray("Exif\0\0", 6)) - 4, imageDataStart(jpeg) - 2, jpeg.size()};
    const qsizetype at = places[row.place] + row.offset;
    const qsizetype resumeAt = row.edit == DamagedHead::Overwrite ? at + row.bytes.size() : at;
    return row.edit == DamagedHead::CutThere ? jpeg.left(at) : jpeg.left(at) + row.bytes + jpeg.mid(resumeAt);
}

// Segments of the largest size: heads of some cameras run to hundreds of KB this way.
QByteArray appSegmentChain(int count) {
    QByteArray chain;
    for (int i = 0; i < count; ++i) chain += QByteArray("\xFF\xE2\xFF\xFF", 4) + QByteArray(0xFFFD, char('a' + i));
    return chain;
}

}  // namespace

TEST(EveryJpegCopy, isTheSameByTheHeadAndTheWholeFileRoad) {
    QTemporaryDir dir;
    QStringList sources{seededPhoto(dir.path(), "seeded.jpg", Format::Jpeg),
                        helperfixtures::makeJpeg(dir.path(), "plain.jpg", QSize(64, 48)),
                        helperfixtures::makeJpegWithEmptyResolution(dir.path(), "empty-resolution.jpg")};
    const QString corpus = testsupport::corpusDir();
    if (!corpus.isEmpty()) {
        for (const QString& name : QDir(corpus).entryList(QDir::Files, QDir::Name)) sources.append(corpus + '/' + name);
        int withHead = 0;
        for (const QString& source : sources) withHead += imageDataStart(contentOf(source)) > 0;
        EXPECT_GE(withHead, 25);
    }
    using H = DamagedHead;
    const H heads[] = {{"TruncatedSegment", H::ExifSegment, 100, H::CutThere, {}, false},
                       {"LengthPastTheEnd", H::ExifSegment, 2, H::Overwrite, "\xFF", false},
                       {"LengthBelowTwo", H::StartOfScan, 0, H::Insert, QByteArray("\xFF\xE5\x00\x01", 4), false},
                       {"NoStartOfScan", H::StartOfScan, 0, H::CutThere, {}, false},
                       {"EndOfImageBeforeTheScan", H::StartOfScan, 0, H::Insert, "\xFF\xD9", false},
                       {"OnlyTheStartOfImage", H::Start, 2, H::CutThere, {}, false},
                       {"StartOfScanAtTheVeryEnd", H::StartOfScan, 2, H::CutThere, {}, true},
                       {"StrayAndFillBytesBeforeTheScan", H::StartOfScan, 0, H::Insert, "ab\xFF\xFF", true},
                       {"AppSegmentChainOf64KBSegments", H::Start, 2, H::Insert, appSegmentChain(5), true},
                       {"TrailerAfterTheImage", H::End, 0, H::Insert, "\xFF\xD8 second" + QByteArray(5000, 'p'), true}};
    for (const DamagedHead& head : heads) {
        const QString source = dir.filePath(QStringLiteral("damaged-%1.jpg").arg(head.name));
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged(contentOf(sources.first()), head));  // the seeded JPEG
        file.close();
        EXPECT_EQ(JpegHead::find(contentOf(source), true).scan == JpegHead::Scan::Found, head.hasHead) << head.name;
        sources << source;
    }
    MetaDataObject clean = editrecords::typicalEdit();
    clean.editingOption = CleanMetadataInfo;
    clean.clearIPTC = true;
    for (const QString& source : sources) {
        expectOneCopyByBothRoads(source, editrecords::typicalEdit(), dir.filePath("typical"));
        expectOneCopyByBothRoads(source, clean, dir.filePath("clean"));
    }
}

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/FileManager.h"
#include "platform/StandardPaths.h"

using platform::FileManager;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(TheFileManager, copiesEveryByteToANewFile) {
    QTemporaryDir dir;
    QByteArray bytes(3 * 1024 * 1024 + 17, '\0');
    for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    writeFile(dir.filePath("a.jpg"), bytes);
    FileManager& files = FileManager::defaultManager();
    QString error;
    ASSERT_TRUE(files.copyItem(dir.filePath("a.jpg"), dir.filePath("b.jpg"), &error)) << error.toStdString();
    EXPECT_EQ(readFile(dir.filePath("b.jpg")), bytes);
}

TEST(TheFileManager, neverCopiesOverAnExistingFile) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.jpg"), "new");
    writeFile(dir.filePath("b.jpg"), "someone else's");
    QString error;
    EXPECT_FALSE(FileManager::defaultManager().copyItem(dir.filePath("a.jpg"), dir.filePath("b.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(dir.filePath("b.jpg")), "someone else's");
}

TEST(TheFileManager, leavesNothingBehindWhenACopyFails) {
    QTemporaryDir dir;
    QString error;
    FileManager& files = FileManager::defaultManager();
    EXPECT_FALSE(files.copyItem(dir.filePath("missing.jpg"), dir.filePath("out.jpg"), &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.jpg")));
    // A folder is not a photo to copy.
    EXPECT_FALSE(files.copyItem(dir.path(), dir.filePath("out.jpg"), &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out.jpg")));
    // A full disk: /dev/full accepts the open and refuses every write.
    if (QFileInfo::exists("/dev/full")) {
        writeFile(dir.filePath("a.jpg"), QByteArray(4096, 'x'));
        EXPECT_FALSE(files.copyItem(dir.filePath("a.jpg"), "/dev/full", &error));
    }
}

TEST(TheFileManager, answersAccessQuestions) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.jpg"), "x");
    FileManager& files = FileManager::defaultManager();
    EXPECT_TRUE(files.fileExists(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.fileExists(dir.filePath("none.jpg")));
    EXPECT_FALSE(files.fileExists(""));
    EXPECT_TRUE(files.isReadable(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.isWritable(dir.filePath("none.jpg")));
    EXPECT_FALSE(files.isLocked(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.isLocked(dir.filePath("none.jpg")));
    EXPECT_TRUE(files.removeItem(dir.filePath("a.jpg")));
    EXPECT_FALSE(files.fileExists(dir.filePath("a.jpg")));
}

TEST(TheFileManager, setsTheModificationDate) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.jpg"), "x");
    const QDateTime when(QDate(2019, 7, 10), QTime(8, 30, 0), Qt::LocalTime);
    ASSERT_TRUE(FileManager::defaultManager().setModificationDate(dir.filePath("a.jpg"), when));
    EXPECT_EQ(QFileInfo(dir.filePath("a.jpg")).lastModified(), when);
    EXPECT_FALSE(FileManager::defaultManager().setModificationDate(dir.filePath("none.jpg"), when));
}

TEST(TheFileManager, measuresFreeSpaceOfTheNearestExistingFolder) {
    QTemporaryDir dir;
    const auto space = FileManager::defaultManager().freeSpace(dir.filePath("not/yet/made/out.jpg"));
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(*space, 0);
    EXPECT_EQ(*space / (1 << 20), *FileManager::defaultManager().freeSpace(dir.path()) / (1 << 20));
}

TEST(TheStandardPaths, putTheDefaultOutputInPictures) {
    EXPECT_EQ(platform::StandardPaths::defaultOutputFolder(), platform::StandardPaths::picturesFolder() + "/Lumarind");
    EXPECT_FALSE(platform::StandardPaths::userName().isEmpty());
}

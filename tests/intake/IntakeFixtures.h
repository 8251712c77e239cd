#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <ostream>

struct sqlite3;

// Builders of the folders, files and library databases the intake tests walk.
namespace intakefixtures {

// Writes the bytes, creating the folders on the way.
void writeFile(const QString& path, const QByteArray& bytes = QByteArray("not really an image"));

// Every entry below root (hidden ones included) by relative path: a file's SHA-256, "<folder>" or the
// target of a symbolic link. Equal snapshots mean nothing was added, removed or changed.
QMap<QString, QByteArray> snapshot(const QString& root);

// Entries below a folder, hidden ones included (the caches folder must stay empty).
QStringList entriesBelow(const QString& folder);

// A database built in a staging folder and then placed with its companions, the way a library copied
// from another computer while its application was running arrives.
class Database {
  public:
    // wal: the rows stay in the write-ahead log (no checkpoint) and the "-wal" and "-shm" files are
    // placed beside the database.
    Database(const QString& targetPath, bool wal);
    ~Database();
    void exec(const char* sql);
    // Places the files at the target path (with the rollback journal of a transaction still open) and
    // closes the staging database, which takes such a transaction back.
    void place();

  private:
    QString m_target;
    QString m_staging;
    QString m_stagingFolder;
    bool m_wal;
    sqlite3* m_db = nullptr;
};

// The three generations of Photos libraries, each with one photo row in the main file and one only in
// the write-ahead log, a video, a trashed photo and a row whose file is missing. Returns the image paths
// the library must yield, in row order.
enum class PhotosGeneration { Assets, GenericAssets, Masters };
QStringList makePhotosLibrary(const QString& package, PhotosGeneration generation);

// An iPhoto/Aperture library: Database/apdb/Library.apdb (rollback journal, or WAL when wal is true),
// Masters, and an album list named xmlName whose "Archive Path" is archivePath ("" leaves it out) and whose
// image paths start with that archive path. Returns the image paths the library must yield.
QStringList makeApertureLibrary(const QString& package, const QString& xmlName, const QString& archivePath,
                                bool wal = false);

}  // namespace intakefixtures

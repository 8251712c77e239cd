#include "tests/intake/IntakeFixtures.h"

#include "tests/common/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace intakefixtures {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString relative = QDir(root).relativeFilePath(path);
        if (info.isSymLink())
            entries.insert(relative, info.symLinkTarget().toUtf8());
        else if (info.isDir())
            entries.insert(relative, "<folder>");
        else if (!info.isFile())
            entries.insert(relative, "<pipe, device or socket>");  // opening it to hash it could block
        else
            entries.insert(relative, testsupport::fileHash(path));
    }
    return entries;
}

QStringList entriesBelow(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) entries.append(it.next());
    return entries;
}

Database::Database(const QString& targetPath, bool wal) : m_target(targetPath), m_wal(wal) {
    m_stagingFolder = QDir::tempPath() + "/lumarind-staging-" + QString::number(qHash(targetPath));
    QDir(m_stagingFolder).removeRecursively();
    QDir().mkpath(m_stagingFolder);
    m_staging = m_stagingFolder + "/" + QFileInfo(targetPath).fileName();
    sqlite3_open(QFile::encodeName(m_staging).constData(), &m_db);
    exec(wal ? "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;" : "PRAGMA journal_mode=DELETE;");
}

Database::~Database() {
    if (m_db) sqlite3_close(m_db);
    QDir(m_stagingFolder).removeRecursively();
}

void Database::exec(const char* sql) {
    char* message = nullptr;
    const int result = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    EXPECT_EQ(result, SQLITE_OK) << (message ? message : "") << " in " << sql;
    sqlite3_free(message);
}

void Database::place() {
    QDir().mkpath(QFileInfo(m_target).path());
    if (m_wal) {
        // Copied while the staging connection still holds the rows in its log, as a live library would be.
        for (const char* suffix : {"", "-wal", "-shm"}) {
            ASSERT_TRUE(QFile::copy(m_staging + suffix, m_target + suffix)) << suffix;
        }
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    // A transaction still open leaves its rollback journal beside the file: both go, as with a library
    // copied while its application was writing.
    if (QFileInfo::exists(m_staging + "-journal")) {
        ASSERT_TRUE(QFile::copy(m_staging + "-journal", m_target + "-journal"));
    }
    ASSERT_TRUE(QFile::copy(m_staging, m_target));
    sqlite3_close(m_db);
    m_db = nullptr;
}

}  // namespace intakefixtures

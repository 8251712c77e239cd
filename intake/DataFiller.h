#pragma once

#include "intake/LibraryFolderInfo.h"
#include "intake/LibraryMasterInfo.h"
#include "intake/LibraryReading.h"
#include "intake/LibraryVersionRow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

// Turns an iPhoto or Aperture library package into the list of its image files: the versions of its
// database ("Database/apdb/Library.apdb") matched with the paths of its album list ("AlbumData.xml" or
// "ApertureData.xml"). One reader serves one package on the import thread; nothing of the library is
// ever written.
class DataFiller {
  public:
    DataFiller();

    // Shown when the album list names no "Archive Path" (or cannot be read); the read goes on afterwards.
    static QString archiveAlertMessage() { return QStringLiteral("Please report to the developer should not happen"); }
    static QString archiveAlertInformativeText() { return QStringLiteral("Send Feedback with logs now."); }
    static QString archiveAlertButton() { return QStringLiteral("OK"); }
    // Called on the reading thread; whoever sets it shows the alert on the main thread and returns once it
    // was dismissed.
    void setArchiveAlert(std::function<void()> alert) { m_archiveAlert = std::move(alert); }
    // Where private copies of a database go, and what ends the read early (Stop also ends the album list's parse).
    void setLibraryReading(const LibraryReading& reading) { m_reading = reading; }

    void setLibPath(const QString& path) { libPath = path; }
    void fetchImagesFromLib(const QString& path);
    bool checkValidLibAndUpdateIfAperture(const QString& path);
    bool checkIfLibrary9X(const QString& path);
    QList<LibraryVersionRow> makeMastersListFor(QList<LibraryVersionRow>& versions, QStringList& arrOP,
                                                QStringList& arrIP, QStringList& arrTP, const QVariantMap& xmlDict);

    QString libPath;
    QString xmlFile;
    QString dbPath;  // "" when the package holds no library database
    QStringList arrImagePaths;
    QHash<QString, LibraryMasterInfo> dictMasterInfo;
    QHash<QString, LibraryFolderInfo> dictFolderInfo;

  private:
    QString libraryRoot() const;
    QString mastersFolder(const QString& root) const;
    bool isInPlace(const QVariantMap& xmlDict, const QString& root, QString* archivePath);
    QString pathFromList(const QVariantMap& entry, const char* key, bool inPlace, const QString& archivePath,
                         const QString& root) const;

    std::function<void()> m_archiveAlert;
    LibraryReading m_reading;
};

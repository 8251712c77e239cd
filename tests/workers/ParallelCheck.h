#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <vector>

#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

// Photos handled side by side against each photo handled alone: shared by the parallel tests and their
// larger benchmark.
namespace parallelcheck {

// Real camera JPEGs that carry XMP packets of their own.
QStringList xmpPhotoNames();
// An edit that makes every write touch EXIF, IPTC and XMP (the GPS position is mirrored into XMP).
MetaDataObject editsTouchingXmp();
// Batch items for the paths, ticked, read on all cores as an add reads them (so every worker is started).
std::vector<PhotoFile> photosAt(const QStringList& paths);
// The worker processes of this process that run program (by its file name).
QList<pid_t> workerProcesses(const QString& program);
// Kills each of them and waits until it has ended, as an out-of-memory killer or a user's kill would; answers
// how many there were. Workers lent out at the time are killed too, so call it between requests.
int killWorkers(const QString& program);
// Runs one batch at the default number of writers and answers the copies in run order; failedCount
// receives the number of photos that were not written.
QStringList runBatch(std::vector<PhotoFile> photos, const QString& output, int* failedCount);
// Every key, type, count and value of each file as the exiv2 tool prints them, keyed by file. The paths
// must hold no space.
QMap<QString, QByteArray> metadataListings(const QStringList& paths);
// How many copies differ from the lone copy of their own photo; kindOf[i] is the index in alone of the
// photo that together[i] was made from.
int mismatches(const QStringList& alone, const QStringList& together, const QList<int>& kindOf);

}  // namespace parallelcheck

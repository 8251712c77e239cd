#include "tests/workers/ParallelCheck.h"

#include "batch/BatchRunner.h"
#include "batch/ExifPhotoWriter.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtConcurrent>

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace parallelcheck {

QStringList xmpPhotoNames() {
    return {"Canon EOS 7D.jpg", "FurnaceCreekInn.jpg", "Nikon D5000.jpg", "Reagan.jpg"};
}

MetaDataObject editsTouchingXmp() {
    MetaDataObject settings;
    const auto edit = [&settings](QString MetaDataObject::*field, bool MetaDataObject::*flag, const char* value) {
        settings.*field = QString::fromUtf8(value);
        settings.*flag = true;
    };
    edit(&MetaDataObject::Artist, &MetaDataObject::isupdated_Artist, "Parallel Test");
    edit(&MetaDataObject::GPS_Lattitude, &MetaDataObject::isupdated_GPS_Lattitude, "35.6586");
    edit(&MetaDataObject::GPS_LattitudeRef, &MetaDataObject::isupdated_GPS_LattitudeRef, "N");
    edit(&MetaDataObject::GPS_Longitude, &MetaDataObject::isupdated_GPS_Longitude, "139.7454");
    edit(&MetaDataObject::GPS_LongitudeRef, &MetaDataObject::isupdated_GPS_LongitudeRef, "E");
    edit(&MetaDataObject::XMP_SerialNumber, &MetaDataObject::isupdated_XMP_SerialNumber, "SN-4711");
    edit(&MetaDataObject::IPTC_City, &MetaDataObject::isupdated_IPTC_City, "Tōkyō");
    return settings;
}

std::vector<PhotoFile> photosAt(const QStringList& paths) {
    const QList<PhotoFile> read = QtConcurrent::blockingMapped(paths, [](const QString& path) {
        PhotoFile photo = PhotoFile::initWithFileUrl(path, QFileInfo(path).fileName(), false);
        photo.isSelected = true;
        return photo;
    });
    return std::vector<PhotoFile>(read.begin(), read.end());
}

QList<pid_t> workerProcesses(const QString& program) {
    // The kernel keeps only the first 15 bytes of a program's name.
    const QByteArray name = QFile::encodeName(QFileInfo(program).fileName()).left(15);
    QList<pid_t> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isProcess = false;
        const pid_t pid = static_cast<pid_t>(entry.toLong(&isProcess));
        if (!isProcess) continue;
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        // "pid (name) state ppid ...": the name may hold spaces and brackets, so it ends at the last ')'.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('(');
        const qsizetype close = line.lastIndexOf(')');
        if (open < 0 || close < open || line.mid(open + 1, close - open - 1) != name) continue;
        const QList<QByteArray> rest = line.mid(close + 2).split(' ');
        // A dead worker not yet waited for is no worker.
        if (rest.size() >= 2 && rest.at(0) != "Z" && rest.at(1).toLong() == ::getpid()) found.append(pid);
    }
    return found;
}

int killWorkers(const QString& program) {
    int killed = 0;
    for (const pid_t pid : workerProcesses(program)) {
        const int handle = int(::syscall(SYS_pidfd_open, pid, 0));
        if (handle < 0) continue;
        pollfd ended{handle, POLLIN, 0};
        if (::kill(pid, SIGKILL) == 0 && ::poll(&ended, 1, 10000) == 1) ++killed;
        ::close(handle);
    }
    return killed;
}

QStringList runBatch(std::vector<PhotoFile> photos, const QString& output, int* failedCount) {
    QDir().mkpath(output);
    BatchRunner::Services services;
    services.writer = ExifPhotoWriter::make();
    BatchRunner runner(services);
    QStringList copies;
    int failed = 0;
    QObject::connect(&runner, &BatchRunner::photoHandled, [&](const BatchPhotoResult& result) {
        if (result.errorFlag == 0) {
            copies.append(result.processedPath);
        } else {
            ++failed;
        }
    });
    QEventLoop loop;
    QObject::connect(&runner, &BatchRunner::runEnded, &loop, &QEventLoop::quit);
    BatchRunRequest request;
    request.runList = std::move(photos);
    request.settings = request.changedFields = editsTouchingXmp();
    request.renaming.outputFolderPathName = output;
    request.selectedOutputFolder = output;
    if (runner.start(std::move(request))) loop.exec();
    if (failedCount) *failedCount = failed;
    return copies;
}

QMap<QString, QByteArray> metadataListings(const QStringList& paths) {
    QMap<QString, QByteArray> listings;
    // A few hundred files per run keep the command line short.
    for (qsizetype start = 0; start < paths.size(); start += 200) {
        const QStringList part = paths.mid(start, 200);
        QProcess exiv2;
        exiv2.start(QStringLiteral("exiv2"), QStringList{"-q", "-pa"} + part);
        exiv2.waitForFinished(300000);
        for (const QByteArray& line : exiv2.readAllStandardOutput().split('\n')) {
            const qsizetype end = line.indexOf(' ');
            const QString path = QFile::decodeName(line.left(end));
            if (end > 0 && part.contains(path)) listings[path] += line.mid(end).trimmed() + '\n';
        }
    }
    return listings;
}

int mismatches(const QStringList& alone, const QStringList& together, const QList<int>& kindOf) {
    const QMap<QString, QByteArray> expected = metadataListings(alone);
    const QMap<QString, QByteArray> actual = metadataListings(together);
    int count = 0;
    for (qsizetype i = 0; i < together.size(); ++i) {
        const QByteArray want = expected.value(alone.value(kindOf.value(i)));
        if (want.isEmpty() || actual.value(together[i]) != want) ++count;
    }
    return count;
}

}  // namespace parallelcheck

#pragma once

// Stand-ins for the disk, the place names and the writer, for runs that need no real photo.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "batch/BatchRunner.h"

namespace batchfixtures {

class NoPlaces : public platform::ReverseGeocoding {
  public:
    void reverseGeocodeLocation(double, double, Completion completion) override { completion(std::nullopt, {}); }
};

// Reports whatever free space the test sets, for every folder.
class FixedSpaceFiles : public platform::FileManager {
  public:
    std::optional<qint64> freeSpace(const QString&) const override { return space; }
    std::optional<qint64> space = qint64(1) << 40;
};

// Creates the copy as the real writer would (never over an existing file) and can hold a photo back.
class FakeWriter {
  public:
    std::optional<PhotoWriteOutcome> operator()(const PhotoFile& photo, const QString& path, bool restore) {
        {
            std::unique_lock lock(mutex);
            started.push_back(photo.fileName);
            changed.notify_all();
            changed.wait(lock, [&] { return holdBack != photo.fileName && !held.contains(photo.fileName); });
            if (silentFor == photo.fileName) return std::nullopt;
        }
        const QString target = restore ? photo.processedPath : path;
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return PhotoWriteOutcome{2, "exists", {}};
        file.write(photo.fileName.toUtf8());
        std::lock_guard lock(mutex);
        return PhotoWriteOutcome{flagFor.value(photo.fileName, 0), "message", target};
    }
    void waitUntilStarted(const QString& name) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started.contains(name); });
    }
    void release() {
        std::lock_guard lock(mutex);
        holdBack.clear();
        held.clear();
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    QStringList started;
    QString holdBack;
    QSet<QString> held;  // held back too, until release()
    QString silentFor;
    QHash<QString, int> flagFor;
};

inline PhotoFile photoNamed(const QString& folder, const QString& fileName) {
    PhotoFile p;
    p.fileName = fileName;
    p.filePath = folder + "/" + fileName;
    p.fileExtension = fileName.section(u'.', -1);
    p.isSelected = true;
    p.metadataObjectOriginal = MetaDataObject();
    return p;
}

class ABatchRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(out.isValid());
        request.renaming.outputFolderPathName = out.path();
        request.selectedOutputFolder = out.path();
    }
    std::unique_ptr<BatchRunner> makeRunner(int parallel) {
        BatchRunner::Services services;
        services.writer = [this](const PhotoFile& photo, const MetaDataObject&, const QString& path,
                                 const MetaDataObject&, bool restore) { return writer(photo, path, restore); };
        services.files = &files;
        services.geocoder = &places;
        services.parallelWrites = parallel;
        return std::make_unique<BatchRunner>(services);
    }
    void addPhotos(int count, const QString& folder = "/photos") {
        for (int i = 1; i <= count; ++i)
            request.runList.push_back(photoNamed(folder, QStringLiteral("P%1.JPG").arg(i)));
    }
    void runToEnd(BatchRunner& runner, QSignalSpy& ended) {
        ASSERT_TRUE(runner.start(request));
        ASSERT_TRUE(ended.wait(20000));
    }

    QTemporaryDir out;
    BatchRunRequest request;
    FakeWriter writer;
    FixedSpaceFiles files;
    NoPlaces places;
};

}  // namespace batchfixtures

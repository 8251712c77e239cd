#pragma once

// Stand-ins for the disk and the place names, with the shared scripted writer, for runs that need no real photo.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "batch/BatchRunner.h"
#include "tests/common/BatchRunDoubles.h"

namespace batchfixtures {

class NoPlaces : public platform::ReverseGeocoding {
  public:
    void reverseGeocodeLocation(double, double, Completion completion) override { completion(std::nullopt, {}); }
};

// Reports whatever free space the test sets, for every folder, and takes no file in the read-only folders, which
// report no room at all, as a read-only volume does.
class FixedSpaceFiles : public platform::FileManager {
  public:
    std::optional<qint64> freeSpace(const QString& folder) const override {
        return readOnly.contains(folder) ? 0 : space;
    }
    bool isWritable(const QString& path) const override {
        return !readOnly.contains(path) && platform::FileManager::isWritable(path);
    }
    std::optional<qint64> space = qint64(1) << 40;
    QSet<QString> readOnly;
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
        services.writer = writer.writer();
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
    testsupport::ScriptedPhotoWriter writer;
    FixedSpaceFiles files;
    NoPlaces places;
};

}  // namespace batchfixtures

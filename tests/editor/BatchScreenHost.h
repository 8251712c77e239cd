#pragma once

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QWidget>

#include <condition_variable>
#include <deque>
#include <mutex>

#include "batch/BatchRunForm.h"
#include "editor/BatchRunScreen.h"

namespace testsupport {

// A window standing in for the editing screen: it holds a batch, answers the run's questions about the form
// and records the steps the run takes on it.
class BatchScreenHost : public QWidget, public BatchRunForm {
  public:
    BatchScreenHost() { resize(1000, 700); }

    bool isValidFormData() override { return valid; }
    int startDecision(const OutputRenamingOptions&) override { return valid ? 0 : 112; }
    bool isParamsChanged() const override { return changed; }
    bool isMetaDataResetEnable() const override { return true; }
    bool isStartEnabled() const override { return true; }
    bool isOnRenamingPage() const override { return false; }
    bool isRestoreEnabled() const override { return restoreEnabled; }
    bool isBatchEmpty() const override { return photos.empty(); }
    OutputRenamingOptions renamingOptions(int destination, const QString& folder) const override {
        OutputRenamingOptions o;
        o.sourceFolderSelected = destination;
        o.outputFolderPathName = folder;
        return o;
    }
    MetaDataObject metaDataObject() const override { return form; }
    MetaDataObject metaDataObjectBeforeSaving() const override { return MetaDataObject(); }
    MetaDataObject createUpdatedChangesOnly() override { return form; }
    std::vector<PhotoFile> tickedPhotos() const override {
        std::vector<PhotoFile> ticked;
        for (const PhotoFile& p : photos)
            if (p.isSelected) ticked.push_back(p);
        return ticked;
    }
    void applyPhotoResult(const PhotoFile& photo, const BatchPhotoResult& result) override {
        for (PhotoFile& p : photos) {
            if (p.filePath != photo.filePath) continue;
            p.processStatus = result.errorFlag;
            p.processMsg = result.errorMsg;
            p.processedPath = result.processedPath;
        }
    }
    void enableDragAndDrop(bool enable) override { dragAndDrop = enable; }
    void enableView(bool enable) override { viewEnabled = enable; }
    void setPresetsAndNextEnabled(bool) override {}
    void setRestoreEnabled(bool enable) override { restoreEnabled = enable; }
    void setResetEnabled(bool) override {}
    void dropPendingEdits() override { steps << "drop edits"; }
    void highlightBorders() override {}
    void setupUIForSelectedPhotoFiles() override {
        steps << "setup";
        restoreEnabled = false;
    }
    void isMetadataParamChanged(bool c) override { changed = c; }
    void processAfterAllPhotosAdded() override {}
    void deleteSelectedPhotos() override { steps << "delete"; }
    void btnRemoveFromBatchTapped() override { steps << "remove missing"; }

    // Adds a photo file (a few bytes) under folder.
    void addPhoto(const QString& folder, const QString& name) {
        PhotoFile p;
        p.fileName = p.originalFileName = name;
        p.filePath = p.fileURL = folder + "/" + name;
        p.fileExtension = name.section(u'.', -1);
        p.isSelected = true;
        p.metadataObjectOriginal = MetaDataObject();
        QFile file(p.filePath);
        if (file.open(QIODevice::WriteOnly)) file.write("photo");
        photos.push_back(p);
    }

    bool valid = true, changed = true, restoreEnabled = false, dragAndDrop = true, viewEnabled = true;
    MetaDataObject form;
    std::vector<PhotoFile> photos;
    QStringList steps;
};

// A writer that writes a small copy, answers the flag set for a photo and can hold one photo back.
class ScriptedPhotoWriter {
  public:
    std::optional<PhotoWriteOutcome> operator()(const PhotoFile& photo, const QString& path, bool restore) {
        std::unique_lock lock(mutex);
        started << photo.fileName;
        changed.notify_all();
        changed.wait(lock, [&] { return holdBack != photo.fileName; });
        restores << restore;
        const QString target = restore ? photo.processedPath : path;
        QFile file(target);
        if (file.open(QIODevice::WriteOnly)) file.write("copy");
        const auto flag = flags.value(photo.fileName, 0);
        return PhotoWriteOutcome{flag, messages.value(photo.fileName), target};
    }
    void waitUntilStarted(const QString& name) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started.contains(name); });
    }
    void release() {
        std::lock_guard lock(mutex);
        holdBack.clear();
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    QStringList started;
    QList<bool> restores;
    QString holdBack;
    QHash<QString, int> flags;
    QHash<QString, QString> messages;
};

}  // namespace testsupport

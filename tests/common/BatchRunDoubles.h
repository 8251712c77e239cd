#pragma once

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>

#include "batch/BatchRunController.h"
#include "batch/BatchRunForm.h"

namespace testsupport {

// The form as a batch run sees it, recording every step the run takes on it.
class RecordingRunForm : public BatchRunForm {
  public:
    bool isValidFormData() override { return valid; }
    int startDecision(const OutputRenamingOptions&) override { return valid ? startAlert : 112; }
    bool isParamsChanged() const override { return changed; }
    bool isMetaDataResetEnable() const override { return resetAllowed; }
    bool isStartEnabled() const override { return true; }
    bool isOnRenamingPage() const override { return onRenamingPage; }
    bool isRestoreEnabled() const override { return restoreEnabled; }
    bool isBatchEmpty() const override { return photos.empty(); }
    OutputRenamingOptions renamingOptions(int destination, const QString& folder) const override {
        OutputRenamingOptions o = renaming;
        o.sourceFolderSelected = destination;
        o.outputFolderPathName = folder;
        return o;
    }
    MetaDataObject metaDataObject() const override { return form; }
    MetaDataObject metaDataObjectBeforeSaving() const override { return beforeSaving; }
    MetaDataObject createUpdatedChangesOnly() override { return form; }
    std::vector<PhotoFile> tickedPhotos() const override {
        std::vector<PhotoFile> ticked;
        for (const PhotoFile& p : photos)
            if (p.isSelected) ticked.push_back(p);
        return ticked;
    }
    void applyRunResults(const BatchRunner& runner) override { runner.applyResultsTo(photos); }
    void enableDragAndDrop(bool enable) override {
        dragAndDrop = enable;
        steps << (enable ? "drop on" : "drop off");
    }
    void enableView(bool enable) override { viewEnabled = enable; }
    void setPresetsAndNextEnabled(bool enable) override { steps << (enable ? "next on" : "next off"); }
    void setRestoreEnabled(bool enable) override { restoreEnabled = enable; }
    void setResetEnabled(bool enable) override { steps << (enable ? "reset on" : "reset off"); }
    void dropPendingEdits() override { steps << "drop edits"; }
    void highlightBorders() override { steps << "borders"; }
    void setupUIForSelectedPhotoFiles() override {
        steps << "setup";
        restoreEnabled = false;
    }
    void isMetadataParamChanged(bool c) override { changed = c; }
    void processAfterAllPhotosAdded() override { steps << "after add"; }
    void deleteSelectedPhotos() override { steps << "delete"; }
    void btnRemoveFromBatchTapped() override { steps << "remove missing"; }

    // A photo of the batch at folder/name; with a file, a few bytes are written there.
    void addPhoto(const QString& folder, const QString& name, bool withFile = false) {
        PhotoFile p;
        p.fileName = p.originalFileName = name;
        p.filePath = p.fileURL = folder + "/" + name;
        p.fileExtension = name.section(u'.', -1);
        p.isSelected = true;
        p.metadataObjectOriginal = MetaDataObject();
        if (withFile) {
            QFile file(p.filePath);
            if (file.open(QIODevice::WriteOnly)) file.write("photo");
        }
        photos.push_back(p);
    }

    int startAlert = 0;
    bool valid = true, changed = true, resetAllowed = true, onRenamingPage = false, restoreEnabled = false;
    bool dragAndDrop = true, viewEnabled = true;
    OutputRenamingOptions renaming;
    MetaDataObject form, beforeSaving;
    QList<PhotoFile> photos;
    QStringList steps;
};

// A writer that writes a small copy and answers the flag and message set for a photo. Like the real one it
// never writes a new copy over an existing file; a restore writes over the earlier copy. It can hold photos
// back until released, and give no answer for one.
class ScriptedPhotoWriter {
  public:
    std::optional<PhotoWriteOutcome> operator()(const PhotoFile& photo, const MetaDataObject& settings,
                                                const QString& path, bool restore) {
        {
            std::unique_lock lock(mutex);
            started << photo.fileName;
            changed.notify_all();
            changed.wait(lock, [&] { return holdBack != photo.fileName && !held.contains(photo.fileName); });
            artists << settings.Artist;
            restores << restore;
            if (silentFor == photo.fileName) return std::nullopt;
        }
        const QString target = restore ? photo.processedPath : path;
        QFile file(target);
        const QIODevice::OpenMode mode = restore ? QIODevice::WriteOnly : QIODevice::WriteOnly | QIODevice::NewOnly;
        if (!file.open(mode)) return PhotoWriteOutcome{ExifWriteFailed, "cannot write", {}};
        file.write(photo.fileName.toUtf8());
        std::lock_guard lock(mutex);
        return PhotoWriteOutcome{flags.value(photo.fileName, 0), messages.value(photo.fileName), target};
    }
    PhotoWriter writer() {
        return [this](const PhotoFile& photo, const WriteRecords& records, const QString& path, bool restore) {
            return (*this)(photo, records.settings(), path, restore);
        };
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
    QStringList started, artists;
    QList<bool> restores;
    QString holdBack;
    QSet<QString> held;  // held back too, until release()
    QString silentFor;
    QHash<QString, int> flags;
    QHash<QString, QString> messages;
};

// The run's later calls (confirmations, the summary), run when the test says so.
class ManualDelay {
  public:
    BatchRunController::Delay delay() {
        return [this](int milliseconds, std::function<void()> call) {
            m_calls.push_back({milliseconds, std::move(call)});
        };
    }
    // Runs every call due, in order (and those they add), and answers their delays.
    QList<int> fire() {
        QList<int> fired;
        while (!m_calls.empty()) {
            auto [milliseconds, call] = std::move(m_calls.front());
            m_calls.pop_front();
            fired << milliseconds;
            call();
        }
        return fired;
    }
    bool empty() const { return m_calls.empty(); }

  private:
    std::deque<std::pair<int, std::function<void()>>> m_calls;
};

}  // namespace testsupport

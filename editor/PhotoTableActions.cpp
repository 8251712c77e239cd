#include "editor/PhotoTableActions.h"

#include <QFileInfo>

#include "editor/DesktopActions.h"
#include "platform/Workspace.h"

QList<PhotoFile> PhotoTableActions::selectedPhotos(const QList<PhotoFile>& batch) {
    QList<PhotoFile> selected;
    for (const PhotoFile& photo : batch) {
        if (photo.isSelected) selected.append(photo);
    }
    return selected;
}

bool PhotoTableActions::toggleTick(QList<PhotoFile>& batch, int row) {
    if (row < 0 || row >= batch.size()) return false;
    batch[row].isSelected = !batch[row].isSelected;
    return true;
}

bool PhotoTableActions::markUnmarkAll(QList<PhotoFile>& batch) {
    const bool tick = std::any_of(batch.begin(), batch.end(), [](const PhotoFile& p) { return !p.isSelected; });
    for (PhotoFile& photo : batch) photo.isSelected = tick;
    return tick;
}

QPointF PhotoTableActions::photoMenuAnchor(const QRectF& moreButton) {
    return {moreButton.left() - 2, moreButton.center().y()};
}

QPointF PhotoTableActions::metadataMenuAnchor(const QRectF& containerFrame, const QRectF& buttonFrame,
                                              double buttonTopInForm) {
    return {containerFrame.x() + buttonFrame.x() + buttonFrame.width() / 2, buttonTopInForm - 12};
}

bool PhotoTableActions::performDesktopRow(int row, const QString& filePath, platform::Workspace& workspace,
                                          QWidget* parent) {
    switch (row) {
        case ShowInFileManager:
            DesktopActions::perform(DesktopActions::ShowInFileManager, filePath, workspace, parent);
            return true;
        case OpenInImageViewer:
            DesktopActions::perform(DesktopActions::OpenInImageViewer, filePath, workspace, parent);
            return true;
        case GetInfo:
            workspace.showFileInfo(filePath, parent);
            return true;
        default:
            return false;
    }
}

bool PhotoTableActions::removePhoto(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded, const QString& filePath) {
    const auto it =
        std::find_if(batch.begin(), batch.end(), [&filePath](const PhotoFile& p) { return p.filePath == filePath; });
    if (it == batch.end()) return false;
    batch.erase(it);
    dictFileAdded.remove(filePath);
    return true;
}

QSet<QString> PhotoTableActions::findMissingFiles(const QStringList& paths) {
    QSet<QString> missing;
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) missing.insert(path);
    }
    return missing;
}

int PhotoTableActions::removeMissingPhotos(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded,
                                           const QSet<QString>& missing) {
    const qsizetype before = batch.size();
    batch.removeIf([&](const PhotoFile& photo) {
        if (!missing.contains(photo.filePath)) return false;
        dictFileAdded.remove(photo.filePath);
        return true;
    });
    return static_cast<int>(before - batch.size());
}

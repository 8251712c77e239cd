#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>

#include "model/PhotoFile.h"

namespace platform {
class Workspace;
}

// What the editing screen does with the photo list: ticks, mark and unmark all, the photo menu and its
// rows, the removal of one photo and of every photo whose file has gone, the more-options menu. Widget-free: the screen
// passes the batch and shows the results.
class PhotoTableActions {
  public:
    // The photo menu's rows, in order.
    enum PhotoMenuRow { ShowInFileManager = 0, OpenInImageViewer, GetInfo, ShowMetaData, MarkUnmarkAll, RemovePhoto };
    // The more-options menu's rows.
    enum MetadataMenuRow { Reset = 0, CleanMetadata };

    // The photos whose tick is set, in batch order.
    static QList<PhotoFile> selectedPhotos(const QList<PhotoFile>& batch);
    // Toggles one photo's tick; false for a row outside the batch.
    static bool toggleTick(QList<PhotoFile>& batch, int row);
    // Presets and Next are enabled, and Undo shown, only with a ticked photo and the renaming page away.
    static bool presetsAndNextEnabled(int totalPhotosSelected, int onImageRenameOptionPage) {
        return totalPhotosSelected != 0 && onImageRenameOptionPage == 0;
    }
    // Mark / unmark all: ticks every photo when one is unticked, else unticks all; answers the new tick.
    // An empty batch gets no tick.
    static bool markUnmarkAll(QList<PhotoFile>& batch);
    // The key that toggles all ticks: Control held alone (left and right cannot be told apart here).
    static bool isMarkAllShortcut(Qt::KeyboardModifiers modifiers) { return modifiers == Qt::ControlModifier; }

    // The popups of the photo list: the photo menu 150 wide, 30 points a row plus 13 (up to six rows), the
    // more-options menu 30 a row plus 6 (up to five); longer lists 180 and scroll.
    static QRectF photoMenuFrame(int rows) { return {0, 0, 150, rows <= 6 ? 30.0 * rows + 13 : 180}; }
    static QRectF metadataMenuFrame(int rows) { return {0, 0, 150, rows <= 5 ? 30.0 * rows + 6 : 180}; }
    // Where the photo menu's arrow points when a row's more button opens it: at the button's left edge,
    // level with its middle, a hair's breadth away (a right click aims at the pointer itself).
    static QPointF photoMenuAnchor(const QRectF& moreButton);
    static QPointF metadataMenuAnchor(const QRectF& containerFrame, const QRectF& buttonFrame, double buttonTopInForm);

    // A photo menu row other than MarkUnmarkAll, ShowMetaData and RemovePhoto, done through the desktop, which
    // shows an alert over parent when it cannot act; false for any other row.
    static bool performDesktopRow(int row, const QString& filePath, platform::Workspace& workspace, QWidget* parent);

    // Removes the photo with this path when the batch still holds it (a photo removed meanwhile is not
    // removed again); its path leaves the added paths. Answers whether it was removed.
    static bool removePhoto(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded, const QString& filePath);

    // The background half of removing missing photos: the paths whose files are gone. Reads only its
    // own copy of the paths, so it may run on any thread.
    static QSet<QString> findMissingFiles(const QStringList& paths);
    // The main-thread half: those photos leave the batch, in place, and their paths the added paths.
    static int removeMissingPhotos(QList<PhotoFile>& batch, QSet<QString>& dictFileAdded, const QSet<QString>& missing);
};

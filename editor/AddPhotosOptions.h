#pragma once

#include "platform/Alerts.h"
#include "platform/OpenPanel.h"

#include <QStringList>

#include <functional>

class QWidget;

// The widget-free rules of the Add button's ways in: which open panel each menu row opens, the Trash test
// of a chosen selection, and when an add or a removal must first ask the renaming-reset question. The start
// window and the editing screen both take their refusal and the library reader's alert from here, so a
// user reads the same words whichever way the photos came.
class AddPhotosOptions {
  public:
    // popupAddPhotosTappedWithIndex: the panel of AddPhotosMenuIndex 0 (photos), 1 (folders) or 2 (a photo
    // library, which is a folder here). photosAppPath: where the Photos application would be.
    static platform::OpenPanelOptions openPanelFor(
        int index, const QString& photosAppPath = QStringLiteral("/Applications/Photos.app"));

    // Only the first chosen path is looked at: a selection that starts in the Trash adds nothing.
    static bool startsInTrash(const QStringList& paths);
    static platform::Alert trashRefusal();
    // The Trash test with its refusal: true, and the refusal shown over parent, when nothing may be added.
    static bool refuseTrash(const QStringList& paths, QWidget* parent);

    // The iPhoto and Aperture reader's alert for an album list without "Archive Path", shown over parent
    // without waiting; dismissed runs once it was closed.
    static platform::Alert archivePathAlert();
    static void showArchivePathAlert(QWidget* parent, std::function<void()> dismissed);

    // The renaming page's state that decides whether custom renaming is active.
    struct RenamingState {
        bool editNameOn = false;          // btnEditOriginalName
        int onImageRenameOptionPage = 0;  // non-zero while the renaming page is shown
        bool renameToastVisible = false;  // vwRenameToast
    };
    static bool isCustomRenamingActive(const RenamingState& state) {
        return (state.editNameOn && state.onImageRenameOptionPage != 0) || state.renameToastVisible;
    }
    // The question is asked while custom renaming is active, unless the user asked not to be asked again.
    static bool asksRenamingReset(const RenamingState& state, bool notShowRenameResetPopup) {
        return isCustomRenamingActive(state) && !notShowRenameResetPopup;
    }
    static QString notShowRenameResetPopupKey() { return QStringLiteral("notShowRenameResetPopup"); }
};

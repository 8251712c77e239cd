#pragma once

#include "app/FloatingPanel.h"

class DragDropBox;
class IMGButton;
class MouseDownView;

// The window that starts the user's work (winAddPhotos): photos are chosen as files, as files and folders,
// or as a photo library, or dropped on its drop box. It floats over the main window, which it belongs to.
class AddPhotosWindow : public FloatingPanel {
    Q_OBJECT
  public:
    explicit AddPhotosWindow(QWidget* mainWindow);

    // The strip along the top that drags the window.
    MouseDownView* vwContainerLoadImage() const { return dragStrip(); }
    DragDropBox* leftBox() const { return m_dropBox; }
    IMGButton* btnAddPhotos() const { return m_addPhotos; }
    IMGButton* btnAddFolders() const { return m_addFolders; }
    IMGButton* btnAddiPhotos() const { return m_addLibrary; }
    IMGButton* btnCloseAddPhotoWin() const { return closeButton(); }

  signals:
    void addPhotosTapped();
    void addFoldersTapped();
    void addiPhotosTapped();
    void closeTapped();

  private:
    IMGButton* addTile(const QString& stem, const QString& title, QWidget* row);

    DragDropBox* m_dropBox = nullptr;
    IMGButton* m_addPhotos = nullptr;
    IMGButton* m_addFolders = nullptr;
    IMGButton* m_addLibrary = nullptr;
};

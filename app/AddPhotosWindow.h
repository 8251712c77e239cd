#pragma once

#include <QWidget>

class DragDropBox;
class IMGButton;
class MouseDownView;

// The window that starts the user's work (winAddPhotos): photos are chosen as files, as files and folders,
// or as a photo library, or dropped on its drop box. It floats over the main window, which it belongs to.
class AddPhotosWindow : public QWidget {
    Q_OBJECT
  public:
    explicit AddPhotosWindow(QWidget* mainWindow);

    // The strip along the top that drags the window.
    MouseDownView* vwContainerLoadImage() const { return m_dragArea; }
    DragDropBox* leftBox() const { return m_dropBox; }
    IMGButton* btnAddPhotos() const { return m_addPhotos; }
    IMGButton* btnAddFolders() const { return m_addFolders; }
    IMGButton* btnAddiPhotos() const { return m_addLibrary; }
    IMGButton* btnCloseAddPhotoWin() const { return m_close; }

  signals:
    void addPhotosTapped();
    void addFoldersTapped();
    void addiPhotosTapped();
    void closeTapped();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    IMGButton* addTile(const QString& stem, const QString& title, QWidget* row);

    MouseDownView* m_dragArea = nullptr;
    DragDropBox* m_dropBox = nullptr;
    IMGButton* m_addPhotos = nullptr;
    IMGButton* m_addFolders = nullptr;
    IMGButton* m_addLibrary = nullptr;
    IMGButton* m_close = nullptr;
};

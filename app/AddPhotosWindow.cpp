#include "app/AddPhotosWindow.h"

#include "app/ArtworkViews.h"
#include "controls/DragDropBox.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

const QSize kWindowSize(640, 470);
constexpr int kDragStripHeight = 44;

}  // namespace

AddPhotosWindow::AddPhotosWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("winAddPhotos"));
    setWindowTitle(QStringLiteral("Add Photos"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWindowSize);

    m_dragArea = new MouseDownView(this);
    m_dragArea->setGeometry(0, 0, width(), kDragStripHeight);

    m_close = ArtworkViews::imageButton(QStringLiteral("close"), this);
    m_close->setObjectName(QStringLiteral("btnCloseAddPhotoWin"));
    m_close->setToolTip(QStringLiteral("Quit Lumarind"));
    m_close->move(14, 14);
    connect(m_close, &QAbstractButton::clicked, this, &AddPhotosWindow::closeTapped);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, kDragStripHeight - 8, 36, 30);
    layout->setSpacing(14);
    auto* heading = ArtworkViews::label(QStringLiteral("Add photos to get started"), 17, true, this);
    heading->setAlignment(Qt::AlignHCenter);
    layout->addWidget(heading);

    m_dropBox = new DragDropBox(this);
    m_dropBox->setObjectName(QStringLiteral("leftBox"));
    m_dropBox->setFrameShape(QFrame::NoFrame);
    m_dropBox->setStyleSheet(
        QStringLiteral("#leftBox { border: 2px dashed rgb(110, 110, 116); border-radius: 10px; background: rgba(255, "
                       "255, 255, 8); }"));
    auto* dropLayout = new QVBoxLayout(m_dropBox);
    dropLayout->setContentsMargins(12, 16, 12, 14);
    dropLayout->setSpacing(8);
    dropLayout->addWidget(ArtworkViews::picture(QStringLiteral("drop_photos"), m_dropBox), 0, Qt::AlignHCenter);
    auto* dropText = ArtworkViews::label(QStringLiteral("Drop photos or folders here"), 12, false, m_dropBox);
    dropText->setAlignment(Qt::AlignHCenter);
    dropLayout->addWidget(dropText);
    layout->addWidget(m_dropBox, 1);

    auto* row = new QWidget(this);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(24);
    m_addPhotos = addTile(QStringLiteral("add_photos"), QStringLiteral("Add Photos"), row);
    m_addFolders = addTile(QStringLiteral("add_folders"), QStringLiteral("Add Folders"), row);
    m_addLibrary = addTile(QStringLiteral("add_library"), QStringLiteral("Add Photos Library"), row);
    m_addPhotos->setObjectName(QStringLiteral("btnAddPhotos"));
    m_addFolders->setObjectName(QStringLiteral("btnAddFolders"));
    m_addLibrary->setObjectName(QStringLiteral("btnAddiPhotos"));
    m_addPhotos->setToolTip(QStringLiteral("Choose photo files"));
    m_addFolders->setToolTip(
        QStringLiteral("Choose photo files and folders; folders are searched with their subfolders"));
    m_addLibrary->setToolTip(QStringLiteral("Choose a Photos, iPhoto or Aperture library copied from a Mac"));
    connect(m_addPhotos, &QAbstractButton::clicked, this, &AddPhotosWindow::addPhotosTapped);
    connect(m_addFolders, &QAbstractButton::clicked, this, &AddPhotosWindow::addFoldersTapped);
    connect(m_addLibrary, &QAbstractButton::clicked, this, &AddPhotosWindow::addiPhotosTapped);
    layout->addWidget(row, 0, Qt::AlignHCenter);
    m_dragArea->lower();
}

IMGButton* AddPhotosWindow::addTile(const QString& stem, const QString& title, QWidget* row) {
    auto* tile = new QWidget(row);
    auto* tileLayout = new QVBoxLayout(tile);
    tileLayout->setContentsMargins(0, 0, 0, 0);
    tileLayout->setSpacing(6);
    IMGButton* button = ArtworkViews::imageButton(stem, tile);
    tileLayout->addWidget(button, 0, Qt::AlignHCenter);
    auto* caption = ArtworkViews::label(title, 12, false, tile);
    caption->setAlignment(Qt::AlignHCenter);
    tileLayout->addWidget(caption);
    row->layout()->addWidget(tile);
    return button;
}

void AddPhotosWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    painter.fillPath(panel, QColor(38, 38, 41));
    painter.setPen(QColor(70, 70, 74));
    painter.drawPath(panel);
}

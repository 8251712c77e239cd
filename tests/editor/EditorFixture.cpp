#include "tests/editor/EditorFixture.h"

#include "editor/SelectionReload.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "model/MetadataKeyTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

void EditorFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    defaults = std::make_unique<platform::UserDefaults>(dir.filePath("defaults.ini"));
    presets = std::make_unique<PresetStore>(*defaults);
    view = std::make_unique<ExifEditorView>(ExifEditorView::SharedState{batch, added, *presets, selection, subWindow});
    ExifEditorView::Timing timing;
    timing.disableViewInitiallyMs = 0;
    timing.thumbnailSettleMs = 0;
    timing.buttonsAfterPopupMs = 0;
    timing.textViewSaveMs = 0;
    view->setTiming(timing);
    view->selectionReload().setExecutor([](std::function<void()> work) { work(); });
    PhotoImportTask::Settings settings;
    settings.makePhoto = [](const QString& path, const QString&) { return fakePhoto(path); };
    view->setIntakeSettings(settings);
    view->resize(1050, 700);
    view->show();
    settle();
}

void EditorFixture::TearDown() {
    view.reset();
}

PhotoFile EditorFixture::fakePhoto(const QString& path) {
    PhotoFile photo;
    photo.filePath = photo.fileURL = path;
    photo.fileName = photo.originalFileName = QFileInfo(path).fileName();
    photo.fileExtension = QFileInfo(path).suffix();
    MetaDataObject record;
    record.Cam_Make = "Lumarind Camera";
    record.Artist = QFileInfo(path).baseName();
    photo.metadataObject = record;
    photo.metadataObjectOriginal = record;
    return photo;
}

QString EditorFixture::makeFolder(int n, bool withTextFile) {
    const QString folder = dir.filePath(QStringLiteral("photos%1").arg(QDir(dir.path()).entryList().size()));
    QDir().mkpath(folder);
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    for (int i = 0; i < n; ++i) image.save(folder + QStringLiteral("/photo%1.jpg").arg(i, 3, 10, QChar('0')), "JPG");
    if (withTextFile) {
        QFile text(folder + "/notes.txt");
        text.open(QIODevice::WriteOnly);
        text.write("not a photo");
    }
    return folder;
}

void EditorFixture::settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void EditorFixture::addAndWait(const QStringList& paths) {
    view->addPhotosFromPathUrls(paths, false);
    view->intake().waitForImport();
    settle();
}

void EditorFixture::tick(const QList<int>& rows) {
    QList<PhotoFile> ticked;
    for (int row = 0; row < batch.size(); ++row) {
        batch[row].isSelected = rows.contains(row);
        if (batch[row].isSelected) ticked.append(batch[row]);
    }
    view->setupUIForSelectedPhotoFiles(ticked);
    settle();
}

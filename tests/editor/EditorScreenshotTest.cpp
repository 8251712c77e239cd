#include "Helper/ExifMetadataReading.h"
#include "controls/DisableScrollView.h"
#include "controls/MAAttachedWindow.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "tests/common/TestSupport.h"
#include "tests/editor/EditorFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

class AnEditingScreen : public EditorFixture {
  protected:
    // The screen with its open popup window painted where it stands.
    QImage withPopup() {
        QImage image = view->grab().toImage();
        QWidget* popup = view->optionPopup()->window();
        QPainter painter(&image);
        painter.drawPixmap(view->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
        return image;
    }
};

// Drawing is the point here: a batch of camera photos with their thumbnails, the form showing what they share.
TEST_F(AnEditingScreen, showsABatchOfCameraPhotosWithThumbnails) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "no corpus of camera photos";
    ExifMetadataReading::install();
    view->setIntakeSettings({});
    QStringList photos;
    for (const QString& name : QDir(corpus).entryList({"*.jpg"}, QDir::Files, QDir::Name))
        photos.append(corpus + "/" + name);
    ASSERT_FALSE(photos.isEmpty());
    addAndWait(photos.mid(0, 12));
    ASSERT_EQ(view->photoModel()->rowCount(), std::min<qsizetype>(12, photos.size()));
    view->loadTableViewThumbnailImages();
    view->thumbnailLoader().waitForLoads();
    settle();
    EXPECT_GT(view->dictPhotoImages().size(), 0);

    QDir().mkpath(LUMARIND_SCREENSHOT_DIR);
    const QString folder = QStringLiteral(LUMARIND_SCREENSHOT_DIR);
    EXPECT_TRUE(view->grab().save(folder + "/editing_screen.png"));

    // The GPS fields, with the latitude reference list open below its field.
    QWidget* latitudeRef = view->viewWithTag(1010);
    view->scrollViewExifData()->ensureWidgetVisible(latitudeRef, 0, 250);
    QTest::mouseClick(static_cast<QToolButton*>(view->viewWithTag(60)), Qt::LeftButton);
    settle();
    ASSERT_TRUE(view->optionPopup()->isOpen());
    EXPECT_TRUE(withPopup().save(folder + "/editing_screen_dropdown.png"));
    view->removeAttachedPopupWindow();

    // The loader over the screen.
    view->showLoading(true, PhotoIntake::loadingText());
    for (int frame = 0; frame < 12; ++frame) view->performLoaderAnimationWithCounter();
    view->btnstopOnAddPhotos()->show();
    EXPECT_TRUE(view->grab().save(folder + "/editing_screen_loader.png"));
    view->showLoading(false, QString());
}

}  // namespace

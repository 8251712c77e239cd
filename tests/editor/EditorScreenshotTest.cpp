#include "Helper/ExifMetadataReading.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "intake/PhotoIntake.h"
#include "intake/ThumbnailLoader.h"
#include "tests/common/TestSupport.h"
#include "tests/editor/EditorFixture.h"

#include <QDir>
#include <QLineEdit>

namespace {

class AnEditingScreen : public EditorFixture {};

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
    const QString path = QStringLiteral(LUMARIND_SCREENSHOT_DIR) + "/editing_screen.png";
    EXPECT_TRUE(view->grab().save(path));
}

}  // namespace

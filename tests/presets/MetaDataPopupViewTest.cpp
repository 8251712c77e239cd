#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>

#include "platform/MapView.h"
#include "platform/NotificationCenter.h"
#include "presets/MapCalloutPin.h"
#include "presets/MetaDataPopupView.h"
#include "tests/Helper/HelperFixtures.h"

namespace {

class AMetadataPopupView : public ::testing::Test {
  protected:
    void SetUp() override {
        helperfixtures::installReader();
        ASSERT_TRUE(m_dir.isValid());
        if (!helperfixtures::exiftoolAvailable()) GTEST_SKIP() << "exiftool is not installed";
        m_view.mapView()->setTileServers({}, {});
        m_photos = {photo("first.jpg", "Ann", QSize(64, 48)), photo("second.jpg", "Bob", QSize(30, 40))};
        EXPECT_TRUE(helperfixtures::exiftoolWrite(m_photos[0].filePath, {"-GPSLatitude=48.85", "-GPSLatitudeRef=S",
                                                                         "-GPSLongitude=2.35", "-GPSLongitudeRef=W"}));
        m_view.setPhotoSource([this](int index) -> std::optional<PhotoFile> {
            if (index < 0 || index >= m_photos.size()) return std::nullopt;
            return m_photos.at(index);
        });
    }

    PhotoFile photo(const char* name, const char* artist, QSize size) {
        const QString path = helperfixtures::makeJpeg(m_dir.path(), name, size);
        EXPECT_TRUE(helperfixtures::exiftoolWrite(path, {QStringLiteral("-Artist=") + artist}));
        return PhotoFile::initWithFileUrl(path, name, false);
    }

    void post(const QVariantMap& userInfo) {
        platform::NotificationCenter::defaultCenter().post(MetaDataPopupView::setupNotificationName(), nullptr,
                                                           userInfo);
    }
    // Lets every reading finish and its answer arrive.
    void settle() {
        m_view.waitForReads();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    QString artistShown() const { return m_view.rows().isEmpty() ? QString() : m_view.rows().first().value; }

    QTemporaryDir m_dir;
    QList<PhotoFile> m_photos;
    MetaDataPopupView m_view;
};

}  // namespace

TEST_F(AMetadataPopupView, showsThePhotoTheNotificationNames) {
    post({{"selectedIndex", 1}});
    EXPECT_TRUE(m_view.showsPlaceholder()) << "until the thumbnail is made";
    settle();
    EXPECT_EQ(m_view.rows().size(), MetaDataPopupContent::kRowCount);
    EXPECT_EQ(artistShown(), "Bob");
    EXPECT_EQ(m_view.lblImageName()->toolTip(), "second.jpg");
    EXPECT_TRUE(m_view.lblImageSizeOndisk()->toolTip().endsWith("| 30 X 40"))
        << m_view.lblImageSizeOndisk()->toolTip().toStdString();
    EXPECT_EQ(m_view.lblImageDestinationPath()->toolTip(), m_photos[1].fileURL);
    EXPECT_FALSE(m_view.showsPlaceholder());
    EXPECT_FALSE(m_view.thumbnail().isNull());
    EXPECT_TRUE(m_view.mapView()->annotations().isEmpty());
    ASSERT_NE(m_view.noLocationPin(), nullptr);
    EXPECT_EQ(m_view.noLocationPin()->title(), "No location found");

    post({});
    settle();
    EXPECT_EQ(artistShown(), "Ann") << "no index names the first photo";
    ASSERT_EQ(m_view.mapView()->annotations().size(), 1);
    EXPECT_EQ(m_view.mapView()->annotations()[0].coordinate, (platform::GeoCoordinate{-48.85, -2.35}));
    EXPECT_EQ(m_view.noLocationPin(), nullptr);
}

TEST_F(AMetadataPopupView, dropsTheLateAnswersAboutThePhotoShownBefore) {
    QList<std::function<void()>> readings;
    m_view.setReadExecutor([&](std::function<void()> reading) { readings.append(std::move(reading)); });
    post({{"selectedIndex", 0}});
    post({{"selectedIndex", 1}});
    ASSERT_EQ(readings.size(), 4);
    // The second photo's answers come first; the first photo's arrive late.
    for (auto reading = readings.rbegin(); reading != readings.rend(); ++reading) (*reading)();
    QCoreApplication::processEvents();
    EXPECT_EQ(artistShown(), "Bob");
    EXPECT_EQ(m_view.lblImageName()->toolTip(), "second.jpg");
    EXPECT_EQ(m_view.thumbnail().size().width() * 4, m_view.thumbnail().size().height() * 3)
        << "the second photo's 3:4 thumbnail, not the first one's 4:3";
}

TEST_F(AMetadataPopupView, keepsThePhotoShownForAnIndexOutsideTheBatchButGoesBackToTheRoadMap) {
    post({{"selectedIndex", 0}});
    settle();
    m_view.btnMapTypeTapped(nullptr);
    EXPECT_EQ(m_view.mapType(), MetaDataPopupView::MapHybrid);
    post({{"selectedIndex", 2}});
    settle();
    EXPECT_EQ(artistShown(), "Ann");
    EXPECT_EQ(m_view.mapType(), MetaDataPopupView::MapStandard);
}

// Renders the presets window and the metadata popup and saves the pictures into the build folder for a
// reviewer to look at; drawing is the point, the assertions only make sure the pictures were made.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "controls/MAAttachedWindow.h"
#include "controls/SubWindowState.h"
#include "editor/MapViewForExtension.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "model/PresetStore.h"
#include "platform/MapView.h"
#include "platform/OfflineEarth.h"
#include "platform/UserDefaults.h"
#include "presets/AttachedPanel.h"
#include "presets/MetaDataPopupView.h"
#include "presets/PresetDateRuleView.h"
#include "presets/PresetView.h"
#include "presets/PresetsWindow.h"
#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

namespace {

QString shot(const QString& name) {
    QDir().mkpath(LUMARIND_SCREENSHOT_DIR);
    return QStringLiteral(LUMARIND_SCREENSHOT_DIR) + u'/' + name + QStringLiteral(".png");
}

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

void waitForOfflineBase(platform::MapView& map) {
    platform::OfflineEarth::shared().waitForFinished();
    LUMARIND_WAIT_FOR(map.hasOfflineBase(), 10000);
}

}  // namespace

TEST(PresetsScreenshots, presetsWindowWithItsListsAndDatePanel) {
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath("defaults.conf"));
    PresetStore store(defaults);
    for (const char* name : {"Holiday in Norway", "Studio portraits", "Scanned film"}) {
        MetaDataObject preset;
        preset.name = name;
        store.arrayPresets().append(preset);
    }
    MetaDataObject& first = store.arrayPresets()[0];
    first.Artist = "Ann Example";
    first.Copyright = "(c) 2024 Ann Example";
    first.Cam_Make = "Lumarind";
    first.CamSetting_Flash = "24";
    first.CamSetting_ISO = "200";
    SubWindowState subWindow;
    PresetsWindow window(store, subWindow);
    window.presetView()->setTiming({0});
    window.presetView()->winMapview()->mapviewRef()->mapView()->setTileServers({}, {});
    window.showCenteredOver(nullptr);
    settle();
    PresetView& view = *window.presetView();
    EXPECT_TRUE(window.grab().save(shot("presets_window")));
    view.btnDatePickerTapped(2, view.sectionOf("Date_Modify")->viewWithTag(252));
    view.vwDatePicker()->radioButtons()->button(DateTimeConfiguration::IncDecDate)->click();
    view.datePanel()->close();
    settle();
    EXPECT_TRUE(window.grab().save(shot("presets_window_edited")));

    view.btnDatePickerTapped(0, view.sectionOf("Date_Original")->viewWithTag(250));
    view.vwDatePicker()->radioButtons()->button(DateTimeConfiguration::UpdateDate)->click();
    settle();
    ASSERT_TRUE(view.datePanel()->isOpen());
    EXPECT_TRUE(view.datePanel()->window()->grab().save(shot("presets_date_panel")));
    view.datePanel()->close();

    view.btnDropDownTapped(0, view.sectionOf("CamSetting_Flash")->viewWithTag(50));
    settle();
    ASSERT_TRUE(view.optionPopup()->isOpen());
    EXPECT_TRUE(view.optionPopup()->window()->grab().save(shot("presets_flash_list")));
    view.optionPopup()->close();

    PresetStore none(defaults);
    PresetsWindow empty(none, subWindow);
    empty.showCenteredOver(nullptr);
    settle();
    EXPECT_TRUE(empty.grab().save(shot("presets_window_empty")));
}

TEST(PresetsScreenshots, metadataPopupOfCameraPhotos) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "no corpus of camera photos";
    helperfixtures::installReader();
    const QList<PhotoFile> photos = {
        PhotoFile::initWithFileUrl(corpus + "/Apple iPhone 4.jpg", "Apple iPhone 4.jpg", false),
        PhotoFile::initWithFileUrl(corpus + "/Canon EOS 7D.jpg", "Canon EOS 7D.jpg", false)};
    MetaDataPopupView popup;
    popup.mapView()->setTileServers({}, {});
    popup.setPhotoSource([&](int index) -> std::optional<PhotoFile> {
        if (index < 0 || index >= photos.size()) return std::nullopt;
        return photos.at(index);
    });
    popup.resize(760, 500);
    popup.show();
    waitForOfflineBase(*popup.mapView());
    const char* const names[] = {"metadata_popup", "metadata_popup_no_location"};
    for (int index = 0; index < 2; ++index) {
        popup.setupViewNotification({MetaDataPopupView::setupNotificationName(), nullptr, {{"selectedIndex", index}}});
        popup.waitForReads();
        settle();
        LUMARIND_WAIT_FOR(!popup.mapView()->isAnimating(), 5000);
        EXPECT_EQ(popup.rows().size(), MetaDataPopupContent::kRowCount);
        EXPECT_TRUE(popup.grab().save(shot(QLatin1String(names[index]))));
    }
    popup.tableView()->scrollToBottom();
    settle();
    EXPECT_TRUE(popup.grab().save(shot("metadata_popup_last_rows")));
}

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/VisualEffectBacking.h"
#include "controls/WindowCloseButton.h"
#include "editor/EditorFormActions.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "editor/MetadataSection.h"
#include "platform/MapView.h"
#include "presets/MetaDataPopupView.h"
#include "presets/PresetScreens.h"
#include "presets/PresetView.h"
#include "presets/PresetsWindow.h"
#include "tests/editor/EditorFixture.h"

namespace {

// The preset editor and the metadata popup as the editing screen opens them.
class PresetsOnTheEditingScreen : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        MetaDataObject preset;
        preset.name = "Holiday";
        preset.Artist = "From the preset";
        presets->arrayPresets().append(preset);
        addAndWait({makeFolder(2)});
        screens = new PresetScreens(*view);
        editor().setTiming({0});
        editor().winMapview()->mapviewRef()->mapView()->setTileServers({}, {});
        screens->metadataPopup()->mapView()->setTileServers({}, {});
    }
    PresetView& editor() { return *screens->presetsWindow()->presetView(); }

    PresetScreens* screens = nullptr;
};

}  // namespace

TEST_F(PresetsOnTheEditingScreen, layTheEditorThePopupAndTheMapEachOnOneSharedBacking) {
    MapViewForExtension* picker = editor().winMapview()->mapviewRef();
    picker->setupViewNotification({});
    picker->setupViewNotification({});
    const std::pair<QWidget*, QColor> panels[] = {{screens->presetsWindow(), QColor(38, 38, 38)},
                                                  {screens->metadataPopup(), QColor(47, 47, 47)},
                                                  {picker, QColor(28, 28, 30, 219)}};
    for (const auto& [container, fill] : panels) {
        const auto backings = container->findChildren<VisualEffectBacking*>(Qt::FindDirectChildrenOnly);
        ASSERT_EQ(backings.size(), 1) << container->objectName().toStdString();
        EXPECT_EQ(backings.first()->look().fill, fill);
    }
}

TEST_F(PresetsOnTheEditingScreen, opensThePresetEditorAndAppliesTheEditedPresetToTheForm) {
    view->formActions().addPresetWindow();
    settle();
    ASSERT_TRUE(screens->presetsWindow()->isVisible());
    EXPECT_TRUE(subWindow.isSubWindowOpened());
    EXPECT_EQ(editor().selectedPresetIndex(), 0);
    QTest::keyClicks(editor().sectionOf("Copyright")->textField("Copyright"), "(c) Ann");
    editor().btnApplyPreset()->click();
    settle();
    EXPECT_FALSE(screens->presetsWindow()->isVisible());
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    EXPECT_EQ(view->textField("Artist")->text(), "From the preset");
    EXPECT_EQ(view->textField("Copyright")->text(), "(c) Ann");
    EXPECT_EQ(presets->arrayPresets()[0].Copyright, "(c) Ann");
}

TEST_F(PresetsOnTheEditingScreen, givesTheScreenBackWhenTheEditorClosesWithoutApply) {
    view->formActions().addPresetWindow();
    settle();
    QTest::keyClicks(editor().sectionOf("Copyright")->textField("Copyright"), "kept");
    // Its own close button, for a desktop that gives the window no title bar.
    QTest::mouseClick(screens->presetsWindow()->btnClose(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(screens->presetsWindow()->isVisible());
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    EXPECT_TRUE(view->textField("Artist")->isEnabled());
    EXPECT_EQ(view->textField("Copyright")->text(), "") << "nothing was applied";
    EXPECT_EQ(presets->arrayPresets()[0].Copyright, "kept");

    view->formActions().addPresetWindow();
    settle();
    QTest::keyClick(editor().sectionOf("Copyright")->textField("Copyright"), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(screens->presetsWindow()->isVisible()) << "Escape closes it too";
    EXPECT_TRUE(view->textField("Artist")->isEnabled());
}

TEST_F(PresetsOnTheEditingScreen, showsADoubleClickedPhotoInTheMetadataPopup) {
    view->doubleClick(1);
    screens->metadataPopup()->waitForReads();
    settle();
    EXPECT_TRUE(view->winMetadataPopup()->isVisible());
    EXPECT_EQ(screens->metadataPopup()->rows().size(), MetaDataPopupContent::kRowCount);
    EXPECT_EQ(screens->metadataPopup()->lblImageName()->toolTip(), batch[1].fileName);
}

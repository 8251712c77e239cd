#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include "model/PresetStore.h"
#include "platform/UserDefaults.h"
#include "presets/PresetListController.h"

namespace {

// A preset as "name/Artist/editingOption", enough to tell every change of these cases apart.
QString describe(const MetaDataObject& preset) {
    return preset.name + u'/' + preset.Artist + u'/' + QString::number(preset.editingOption);
}

QStringList describe(const QList<MetaDataObject>& presets) {
    QStringList names;
    for (const MetaDataObject& preset : presets) names << describe(preset);
    return names;
}

struct ListCase {
    const char* name;
    QStringList atLaunch;  // preset names
    std::function<void(PresetListController&)> steps;
    QStringList expected;  // the list afterwards, in memory and after a restart
    int selected;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

void edit(PresetListController& list, const char* artist) {
    list.metaDataObject().Artist = QString::fromUtf8(artist);
    list.isMetadataParamChanged(true);
}

class APresetList : public ::testing::TestWithParam<ListCase> {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString defaultsPath() const { return m_dir.filePath("defaults.conf"); }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_P(APresetList, changesAndStoresTheList) {
    const ListCase& c = GetParam();
    {
        platform::UserDefaults defaults(defaultsPath());
        PresetStore store(defaults);
        for (const QString& name : c.atLaunch) {
            MetaDataObject preset;
            preset.name = name;
            store.arrayPresets().append(preset);
        }
        ASSERT_TRUE(store.saveProjectSession());
        PresetListController list(store);
        c.steps(list);
        EXPECT_EQ(describe(list.arrayPresets()), c.expected);
        EXPECT_EQ(list.selectedPresetIndex(), c.selected);
        // The process ends here without any saving at quit.
    }
    platform::UserDefaults defaults(defaultsPath());
    PresetStore relaunched(defaults);
    relaunched.loadPresets();
    EXPECT_EQ(describe(relaunched.arrayPresets()), c.expected) << "after a restart";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, APresetList,
    ::testing::Values(
        ListCase{"addToEmptyList", {}, [](auto& l) { l.addPreset(); }, {"New Configuration//0"}, 0},
        ListCase{"addWritesTheEditedPresetBackFirst",
                 {"A", "B", "C"},
                 [](auto& l) {
                     l.presetSelectionDidChange(2);
                     edit(l, "edited");
                     l.addPreset();
                 },
                 {"New Configuration//0", "A//0", "B//0", "C/edited/0"},
                 0},
        ListCase{"addTwice",
                 {},
                 [](auto& l) {
                     l.addPreset();
                     edit(l, "first");
                     l.addPreset();
                 },
                 {"New Configuration//0", "New Configuration/first/0"},
                 0},
        ListCase{"renameIsStoredAtOnce",
                 {"A", "B"},
                 [](auto& l) {
                     l.presetSelectionDidChange(1);
                     EXPECT_EQ(l.presetNameUpdated(1, "Holiday"), "Holiday");
                     EXPECT_EQ(l.metaDataObject().name, "Holiday");
                 },
                 {"A//0", "Holiday//0"},
                 1},
        ListCase{"renameToEmpty",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     EXPECT_EQ(l.presetNameUpdated(0, ""), "New Configuration");
                 },
                 {"New Configuration//0"},
                 0},
        ListCase{
            "renameOutsideTheListTouchesNoPreset", {"A"}, [](auto& l) { l.presetNameUpdated(1, "B"); }, {"A//0"}, -1},
        ListCase{"renameAnUnselectedPreset",
                 {"A", "B"},
                 [](auto& l) {
                     l.presetSelectionDidChange(1);
                     l.presetNameUpdated(0, "C");
                     EXPECT_EQ(l.metaDataObject().name, "B");
                     l.windowWillClose();
                 },
                 {"C//0", "B//0"},
                 1},
        ListCase{"selectionChangeWritesBack",
                 {"A", "B"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     edit(l, "x");
                     l.presetSelectionDidChange(1);
                     EXPECT_EQ(l.metaDataObject().name, "B");
                     EXPECT_FALSE(l.isParamsChanged());
                 },
                 {"A/x/0", "B//0"},
                 1},
        ListCase{"deselectionWritesBack",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     edit(l, "x");
                     l.presetSelectionDidChange(-1);
                 },
                 {"A/x/0"},
                 -1},
        ListCase{"removeDropsUnsavedEdits",
                 {"A", "B", "C"},
                 [](auto& l) {
                     l.presetSelectionDidChange(1);
                     edit(l, "lost");
                     EXPECT_TRUE(l.removePreset(1));
                     l.presetSelectionDidChange(-1);
                 },
                 {"A//0", "C//0"},
                 -1},
        ListCase{"removeTheOnlyPreset",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     EXPECT_TRUE(l.removePreset(0));
                 },
                 {},
                 -1},
        ListCase{"removeOutsideTheList",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     EXPECT_FALSE(l.removePreset(1));
                     EXPECT_FALSE(l.removePreset(-1));
                 },
                 {"A//0"},
                 0},
        ListCase{"applyWritesBackAndNamesTheIndex",
                 {"A", "B"},
                 [](auto& l) {
                     l.presetSelectionDidChange(1);
                     edit(l, "applied");
                     EXPECT_EQ(l.applyPreset(), 1);
                 },
                 {"A//0", "B/applied/0"},
                 1},
        ListCase{"applyWithoutSelection", {"A"}, [](auto& l) { EXPECT_EQ(l.applyPreset(), -1); }, {"A//0"}, -1},
        ListCase{"closingTheWindowKeepsTheEdits",
                 {"A", "B"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     edit(l, "kept");
                     l.windowWillClose();
                 },
                 {"A/kept/0", "B//0"},
                 0},
        ListCase{"editingOptionIsStored",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     EXPECT_TRUE(l.setEditingOption(2));
                     EXPECT_TRUE(l.isParamsChanged());
                     EXPECT_FALSE(l.setEditingOption(3));
                     l.windowWillClose();
                 },
                 {"A//2"},
                 0},
        ListCase{"selectingOutsideTheListSelectsNothing",
                 {"A"},
                 [](auto& l) {
                     l.presetSelectionDidChange(0);
                     edit(l, "x");
                     l.presetSelectionDidChange(5);
                     l.windowWillClose();
                 },
                 {"A/x/0"},
                 -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(APresetCopy, staysOutOfTheListUntilWrittenBack) {
    QTemporaryDir dir;
    platform::UserDefaults defaults(dir.filePath("defaults.conf"));
    PresetStore store(defaults);
    store.arrayPresets().append(MetaDataObject());
    PresetListController list(store);
    list.presetSelectionDidChange(0);
    list.metaDataObject().Artist = "copy only";
    list.metaDataObject().isupdated_Date_Modify = true;
    EXPECT_EQ(store.arrayPresets()[0].Artist, "");
    list.updatePresetObject();
    EXPECT_EQ(store.arrayPresets()[0].Artist, "copy only");
    EXPECT_FALSE(store.arrayPresets()[0].isupdated_Date_Modify) << "the list never holds change flags";
    list.metaDataObject().Artist = "later";
    EXPECT_EQ(store.arrayPresets()[0].Artist, "copy only");
}

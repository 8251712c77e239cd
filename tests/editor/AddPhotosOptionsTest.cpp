#include "editor/AddPhotosOptions.h"
#include "editor/LoaderAnimation.h"
#include "editor/PopupLists.h"
#include "platform/Trash.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct PanelCase {
    int index;
    bool files;
    bool folders;
    const char* prompt;
    friend void PrintTo(const PanelCase& row, std::ostream* os) { *os << "the panel of item " << row.index; }
};

class AnAddPanel : public ::testing::TestWithParam<PanelCase> {};

TEST_P(AnAddPanel, choosesWhatItsMenuRowNames) {
    const PanelCase& c = GetParam();
    const platform::OpenPanelOptions options = AddPhotosOptions::openPanelFor(c.index, "/nonexistent/Photos.app");
    EXPECT_EQ(options.canChooseFiles, c.files);
    EXPECT_EQ(options.canChooseDirectories, c.folders);
    EXPECT_EQ(options.prompt, QLatin1String(c.prompt));
    EXPECT_TRUE(options.allowsMultipleSelection);
    EXPECT_TRUE(options.canCreateDirectories);
}

INSTANTIATE_TEST_SUITE_P(ThreeRows, AnAddPanel,
                         ::testing::Values(PanelCase{PopupLists::AddPhotos, true, false, "Add Photos"},
                                           PanelCase{PopupLists::AddFolder, false, true, "Add Folder"},
                                           PanelCase{PopupLists::AddPhotosLibrary, false, true, "Add iPhoto Library"}));

TEST(AnAddPanel, offersImagesWithTheExtraExtensionsAndLibrariesByTheirPackageNames) {
    const platform::OpenPanelOptions photos = AddPhotosOptions::openPanelFor(PopupLists::AddPhotos);
    EXPECT_TRUE(photos.allowsImageFiles);
    for (const char* extension : {"ptif", "PCT", "eps"})
        EXPECT_TRUE(photos.allowedExtensions.contains(QLatin1String(extension))) << extension;
    EXPECT_EQ(AddPhotosOptions::openPanelFor(PopupLists::AddPhotosLibrary).allowedExtensions,
              QStringList({"photoslibrary", "photolibrary"}));
}

TEST(AnAddPanel, looksOnlyAtTheFirstPathForTheTrash) {
    const QString trashed = platform::Trash::trashFolders().value(0) + "/files/a.jpg";
    EXPECT_TRUE(AddPhotosOptions::startsInTrash({trashed, QDir::homePath() + "/b.jpg"}));
    EXPECT_FALSE(AddPhotosOptions::startsInTrash({QDir::homePath() + "/b.jpg", trashed}));
    EXPECT_FALSE(AddPhotosOptions::startsInTrash({}));
}

struct RenamingCase {
    bool editNameOn;
    int page;
    bool toast;
    bool notShowAgain;
    bool asks;
    friend void PrintTo(const RenamingCase& row, std::ostream* os) {
        *os << "renaming " << (row.editNameOn ? "on" : "off") << ", page " << row.page << (row.toast ? ", toast" : "")
            << (row.notShowAgain ? ", not shown again" : "");
    }
};

class ARenamingReset : public ::testing::TestWithParam<RenamingCase> {};

TEST_P(ARenamingReset, isAskedOnlyWhileCustomRenamingIsActive) {
    const RenamingCase& c = GetParam();
    EXPECT_EQ(AddPhotosOptions::asksRenamingReset({c.editNameOn, c.page, c.toast}, c.notShowAgain), c.asks);
}

INSTANTIATE_TEST_SUITE_P(Cases, ARenamingReset,
                         ::testing::Values(RenamingCase{false, 0, false, false, false},
                                           RenamingCase{true, 0, false, false, false},
                                           RenamingCase{true, 1, false, false, true},
                                           RenamingCase{false, 0, true, false, true},
                                           RenamingCase{true, 1, true, true, false}));

TEST(ALoaderAnimation, stepsThroughFiftyFiveFramesThenStartsAgain) {
    LoaderAnimation animation;
    for (int frame = 1; frame <= LoaderAnimation::kFrameCount; ++frame) {
        ASSERT_EQ(animation.step(), LoaderAnimation::Step::ShowFrame);
        EXPECT_EQ(animation.frameToShow(), frame);
    }
    EXPECT_EQ(animation.step(), LoaderAnimation::Step::Restart);
    animation.restart();
    animation.step();
    EXPECT_EQ(animation.frameToShow(), 1);
    // Every frame is the spinner at its own angle.
    EXPECT_NE(LoaderAnimation::frameImage(1), LoaderAnimation::frameImage(2));
    EXPECT_NE(LoaderAnimation::frameImage(1), LoaderAnimation::frameImage(28));
}

}  // namespace

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "editor/PhotoTableActions.h"
#include "editor/PresetPopup.h"
#include "tests/common/ScriptedPlatform.h"

namespace {

QList<PhotoFile> batchOf(const QList<bool>& ticks, const QString& folder = "/nowhere") {
    QList<PhotoFile> batch;
    for (int i = 0; i < ticks.size(); ++i) {
        PhotoFile photo;
        photo.filePath = folder + "/photo" + QString::number(i) + ".jpg";
        photo.isSelected = ticks.at(i);
        batch.append(photo);
    }
    return batch;
}

QList<bool> ticksOf(const QList<PhotoFile>& batch) {
    QList<bool> ticks;
    for (const PhotoFile& photo : batch) ticks.append(photo.isSelected);
    return ticks;
}

}  // namespace

TEST(ThePhotoTicks, toggleOneByOneAndMarkOrUnmarkAll) {
    struct Case {
        QList<bool> before;
        bool tick;
        QList<bool> after;
    };
    const Case cases[] = {
        {{true, true, true}, false, {false, false, false}},
        {{true, false, true}, true, {true, true, true}},
        {{false, false}, true, {true, true}},
        {{}, false, {}},
    };
    for (const Case& c : cases) {
        QList<PhotoFile> batch = batchOf(c.before);
        EXPECT_EQ(PhotoTableActions::markUnmarkAll(batch), c.tick);
        EXPECT_EQ(ticksOf(batch), c.after);
        EXPECT_EQ(PhotoTableActions::selectedPhotos(batch).size(), c.tick ? batch.size() : 0);
    }

    QList<PhotoFile> batch = batchOf({true, false, true});
    EXPECT_TRUE(PhotoTableActions::toggleTick(batch, 1));
    EXPECT_FALSE(PhotoTableActions::toggleTick(batch, 3));
    EXPECT_FALSE(PhotoTableActions::toggleTick(batch, -1));
    EXPECT_EQ(ticksOf(batch), (QList<bool>{true, true, true}));
    EXPECT_EQ(PhotoTableActions::selectedPhotos(batch).at(1).filePath, "/nowhere/photo1.jpg");

    EXPECT_TRUE(PhotoTableActions::presetsAndNextEnabled(1, 0));
    EXPECT_FALSE(PhotoTableActions::presetsAndNextEnabled(0, 0));
    EXPECT_FALSE(PhotoTableActions::presetsAndNextEnabled(2, 1)) << "the renaming page keeps them off";

    // Control alone toggles all; with Shift, Alt or Meta, or without Control, it does not.
    EXPECT_TRUE(PhotoTableActions::isMarkAllShortcut(Qt::ControlModifier));
    for (Qt::KeyboardModifiers other : {Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier),
                                        Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier),
                                        Qt::KeyboardModifiers(Qt::ControlModifier | Qt::MetaModifier),
                                        Qt::KeyboardModifiers(Qt::MetaModifier), Qt::KeyboardModifiers()})
        EXPECT_FALSE(PhotoTableActions::isMarkAllShortcut(other));
}

TEST(ThePhotoMenu, actsThroughTheDesktopAndSizesItsPopups) {
    testsupport::ScriptedWorkspace workspace;
    testsupport::ScriptedAlerts alerts;
    EXPECT_TRUE(
        PhotoTableActions::performDesktopRow(PhotoTableActions::ShowInFileManager, "/p/a.jpg", workspace, nullptr));
    EXPECT_TRUE(
        PhotoTableActions::performDesktopRow(PhotoTableActions::OpenInImageViewer, "/p/a.jpg", workspace, nullptr));
    EXPECT_TRUE(PhotoTableActions::performDesktopRow(PhotoTableActions::GetInfo, "/p/a.jpg", workspace, nullptr));
    EXPECT_FALSE(PhotoTableActions::performDesktopRow(PhotoTableActions::ShowMetaData, "/p/a.jpg", workspace, nullptr));
    EXPECT_EQ(workspace.revealed, (QList<QStringList>{{"/p/a.jpg"}}));
    EXPECT_EQ(workspace.openedFiles, QStringList{"/p/a.jpg"});
    EXPECT_EQ(workspace.infoShown, QStringList{"/p/a.jpg"});
    EXPECT_TRUE(alerts.shown.isEmpty());
    workspace.succeeds = false;
    PhotoTableActions::performDesktopRow(PhotoTableActions::OpenInImageViewer, "/p/a.jpg", workspace, nullptr);
    ASSERT_EQ(alerts.shown.size(), 1) << "a desktop without an image viewer says so";
    EXPECT_TRUE(alerts.shown.first().informativeText.contains("\"/p/a.jpg\""));

    EXPECT_EQ(PhotoTableActions::photoMenuFrame(6), QRectF(0, 0, 150, 193));
    EXPECT_EQ(PhotoTableActions::photoMenuFrame(7).height(), 180);
    EXPECT_EQ(PhotoTableActions::metadataMenuFrame(2), QRectF(0, 0, 150, 66));
    EXPECT_EQ(PhotoTableActions::metadataMenuAnchor({10, 0, 500, 600}, {300, 20, 40, 20}, 120), QPointF(330, 108));
}

TEST(RemovingPhotos, takesOnePhotoOnceAndEveryMissingFileWithoutDisturbingTheRest) {
    QTemporaryDir dir;
    QList<PhotoFile> batch = batchOf({true, true, true}, dir.path());
    QSet<QString> added;
    for (const PhotoFile& photo : batch) added.insert(photo.filePath);
    // The second photo still exists; the first and third were deleted.
    QFile second(batch[1].filePath);
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    second.close();

    QStringList paths;
    for (const PhotoFile& photo : batch) paths.append(photo.filePath);
    const QSet<QString> missing = PhotoTableActions::findMissingFiles(paths);
    EXPECT_EQ(missing, (QSet<QString>{paths[0], paths[2]}));
    EXPECT_EQ(PhotoTableActions::removeMissingPhotos(batch, added, missing), 2);
    ASSERT_EQ(batch.size(), 1);
    EXPECT_EQ(batch[0].filePath, paths[1]);
    EXPECT_EQ(added, QSet<QString>{paths[1]});

    EXPECT_TRUE(PhotoTableActions::removePhoto(batch, added, paths[1]));
    EXPECT_FALSE(PhotoTableActions::removePhoto(batch, added, paths[1])) << "a photo is not removed twice";
    EXPECT_TRUE(batch.isEmpty() && added.isEmpty());
}

TEST(ThePresetPopup, listsThePresetsAndMergesTheChosenOne) {
    EXPECT_EQ(PresetPopup::frame(0).height(), 36);
    EXPECT_EQ(PresetPopup::frame(2).height(), 96);
    EXPECT_EQ(PresetPopup::frame(5).height(), 186);
    EXPECT_EQ(PresetPopup::frame(6).height(), 180);
    EXPECT_EQ(PresetPopup::frame(1).width(), 200);
    EXPECT_EQ(PresetPopup::choose(0, 0), PresetPopup::Choice::OpenPresetEditor);
    EXPECT_EQ(PresetPopup::choose(1, 2), PresetPopup::Choice::ApplyPreset);
    EXPECT_EQ(PresetPopup::choose(2, 2), PresetPopup::Choice::OpenPresetEditor);

    EditSession session;
    MetaDataObject merged;
    merged.Artist = "Ann";
    merged.Copyright = "(c) Ann";
    session.setSelection(merged, true);
    MetaDataObject preset;
    preset.name = "Trip";
    preset.Artist = "Bob";
    preset.isupdated_Copyright = true;  // an emptied field travels with its flag
    preset.Copyright = "";
    preset.editingOption = CleanMetadataInfo;
    preset.clearXMP = true;
    const QList<MetaDataObject> presets{preset};
    for (int outside : {-1, 1}) {
        EXPECT_FALSE(PresetPopup::applyPreset(session, presets, outside));
        EXPECT_FALSE(session.isParamsChanged());
    }
    EXPECT_TRUE(PresetPopup::applyPreset(session, presets, 0));
    EXPECT_TRUE(session.isParamsChanged());
    EXPECT_TRUE(session.isEditedMetadataObject());
    for (const MetaDataObject* record : {&std::as_const(session).metaDataObject(), &session.editedMetaDataObject()}) {
        EXPECT_EQ(record->Artist, "Bob");
        EXPECT_EQ(record->Copyright, "");
        EXPECT_EQ(record->editingOption, CleanMetadataInfo);
        EXPECT_TRUE(record->clearXMP);
    }
}

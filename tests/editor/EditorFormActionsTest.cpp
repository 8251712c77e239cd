#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "editor/EditingOptionSection.h"
#include "editor/EditorFormActions.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PopupLists.h"
#include "tests/editor/EditorFixture.h"

namespace {

class TheScreensActions : public EditorFixture {
  protected:
    EditorFormActions& actions() { return view->formActions(); }
    void openPhotoMenu(int row) { actions().btnInfoTappedAtLocationInTableView(QPointF(20, 40), row, false); }
    QList<bool> ticks() const {
        QList<bool> all;
        for (const PhotoFile& photo : batch) all.append(photo.isSelected);
        return all;
    }
};

TEST_F(TheScreensActions, actOnThePhotoMenuRowsThroughTheDesktop) {
    addAndWait({makeFolder(3)});
    const QString second = batch.at(1).filePath;
    openPhotoMenu(1);
    ASSERT_TRUE(view->optionPopup()->isOpen());
    EXPECT_EQ(view->flagCurrentAttachPopupType(), PopupLists::PhotoMenu);
    EXPECT_EQ(view->optionPopup()->rows().size(), 6);
    EXPECT_EQ(view->optionPopup()->view()->size(), QSize(150, 193));

    for (int row : {0, 1, 2}) {
        openPhotoMenu(1);
        view->popupOptionTapped(row);
        EXPECT_FALSE(view->optionPopup()->isOpen());
    }
    EXPECT_EQ(workspace.revealed, (QList<QStringList>{{second}}));
    EXPECT_EQ(workspace.openedFiles, QStringList{second});
    EXPECT_EQ(workspace.infoShown, QStringList{second});

    openPhotoMenu(1);
    view->popupOptionTapped(4);  // Mark/Unmark All: every photo was ticked
    EXPECT_EQ(ticks(), (QList<bool>{false, false, false}));
    EXPECT_EQ(view->totalPhotosSelected(), 0);

    openPhotoMenu(1);
    view->popupOptionTapped(5);  // Remove Photo
    ASSERT_EQ(batch.size(), 2);
    EXPECT_FALSE(added.contains(second));
    EXPECT_EQ(view->photoModel()->rowCount(), 2);
    actions().btnInfoTappedAtLocationInTableView(QPointF(20, 40), 7, true);  // beyond the batch: nothing
    EXPECT_FALSE(view->optionPopup()->isOpen());
}

TEST_F(TheScreensActions, toggleEveryTickWithControlAlone) {
    addAndWait({makeFolder(3)});
    tick({0});
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ticks(), (QList<bool>{true, false, false}));
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(ticks(), (QList<bool>{true, true, true}));
    EXPECT_EQ(view->totalPhotosSelected(), 3);
    QTest::keyClick(view.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(ticks(), (QList<bool>{false, false, false}));

    // A single click on a row toggles that photo and sets the form up for the ticked ones.
    emit view->photoRowClicked(2);
    EXPECT_EQ(ticks(), (QList<bool>{false, false, true}));
    EXPECT_EQ(view->totalPhotosSelected(), 1);
    EXPECT_TRUE(view->btnPresets()->isEnabled());
}

TEST_F(TheScreensActions, offerToRemoveEveryPhotoWhoseFileIsGone) {
    addAndWait({makeFolder(3)});
    const QString kept = batch.at(1).filePath;
    ASSERT_TRUE(QFile::remove(batch.at(0).filePath));
    ASSERT_TRUE(QFile::remove(batch.at(2).filePath));
    openPhotoMenu(2);
    EXPECT_FALSE(view->optionPopup()->isOpen());
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText, "REMOVE FROM BATCH");
    EXPECT_EQ(alerts.shown.first().informativeText, "This photo is not available at the Source location.");
    QSignalSpy removed(&actions(), &EditorFormActions::missingPhotosRemoved);
    ASSERT_TRUE(alerts.answerPending(0));
    QTRY_COMPARE_WITH_TIMEOUT(removed.size(), 1, 5000);
    EXPECT_EQ(removed.first().first().toInt(), 2);
    ASSERT_EQ(batch.size(), 1);
    EXPECT_EQ(batch.first().filePath, kept);
    EXPECT_EQ(added, QSet<QString>{kept});
    EXPECT_EQ(view->lblPhotosCount()->text(), "Photos(1)");
}

TEST_F(TheScreensActions, applyOnlyAValidFormAndRevertToTheSelectionsValues) {
    addAndWait({makeFolder(2)});
    EXPECT_FALSE(actions().btnApply()->isEnabled());
    QTest::keyClicks(view->textField("Copyright"), "(c) Lumarind");
    EXPECT_TRUE(actions().btnApply()->isEnabled()) << "typing is an edit to apply";
    EXPECT_TRUE(actions().btnRevert()->isEnabled());
    view->textField("CamSetting_ISO")->setText("70000");
    QSignalSpy errors(&actions(), &EditorFormActions::errorsFoundInForm);
    actions().btnApply()->click();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(view->errorLabel("CamSetting_ISO")->isVisibleTo(view.get()));
    EXPECT_EQ(view->errorLabel("CamSetting_ISO")->text(), "* Value cannot be greater than 65535");
    EXPECT_TRUE(view->isParamsChanged()) << "a refused Apply changes nothing";

    view->textField("CamSetting_ISO")->setText("400");
    actions().btnApply()->click();
    EXPECT_FALSE(view->isParamsChanged());
    EXPECT_FALSE(actions().btnApply()->isEnabled());
    EXPECT_EQ(selection.Copyright, "(c) Lumarind");
    EXPECT_EQ(view->metaDataObjectWithUpdatedChange().Copyright, "(c) Lumarind");

    alerts.script(0);
    actions().btnRevertTapped();
    EXPECT_EQ(selection.Copyright, "");
    EXPECT_EQ(view->metaDataObject().Copyright, "");
    EXPECT_EQ(view->textField("Copyright")->text(), "");
}

TEST_F(TheScreensActions, switchPanelsWithTheEditingOptionAndStoreTheClearTicks) {
    addAndWait({makeFolder(1)});
    emit view->editingOptionTapped(view->editingOptionSection()->btnEditingOption());
    ASSERT_TRUE(view->optionPopup()->isOpen());
    view->popupOptionTapped(2);
    EXPECT_EQ(view->metaDataObject().editingOption, 2);
    EXPECT_TRUE(view->editingOptionSection()->vwClearOptions()->isVisibleTo(view.get()));
    EXPECT_FALSE(view->vwExif()->isVisibleTo(view.get()));
    emit view->editingOptionSection()->clearSwitchTicked(MetadataClearSwitch::XMP, true);
    EXPECT_TRUE(view->metaDataObject().clearXMP);
    EXPECT_TRUE(view->editedMetaDataObject().clearXMP);
    actions().changeViewAccordingToMetadataOtion(0);
    EXPECT_TRUE(view->vwExif()->isVisibleTo(view.get()));
    EXPECT_TRUE(view->isParamsChanged());
}

TEST_F(TheScreensActions, writeThePositionFromTheMapWindowIntoTheGpsFields) {
    addAndWait({makeFolder(1)});
    QTest::mouseClick(view->btnShowMap(), Qt::LeftButton);
    MapWindow* window = actions().gpsMap().winMapview();
    ASSERT_TRUE(window->isVisible());
    MapViewForExtension* picker = window->mapviewRef();
    picker->mapView()->setTileServers({}, {});
    EXPECT_TRUE(picker->btnAddPin()->isEnabled()) << "the photo has no position";
    picker->btnAddPin()->click();
    EXPECT_EQ(view->textField("GPS_Lattitude")->text(), "37.77000000");
    EXPECT_EQ(view->textField("GPS_Longitude")->text(), "122.47010000");
    EXPECT_EQ(view->metaDataObject().GPS_LongitudeRef, "W");
    EXPECT_TRUE(view->editedMetaDataObject().isupdated_GPS_Lattitude);
    picker->btnRemovePin()->click();
    EXPECT_EQ(view->textField("GPS_Lattitude")->text(), "");
    EXPECT_EQ(view->metaDataObject().GPS_LattitudeRef, "");
    window->close();
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    EXPECT_TRUE(view->btnShowMap()->isEnabled());
}

// The editing option's list, opened by its button at a window width (the window's smallest is 1050).
class TheEditingOptionList : public EditorFixture, public ::testing::WithParamInterface<int> {};

TEST_P(TheEditingOptionList, showsItsThreeOptionsWholeAtEveryWindowSize) {
    view->resize(GetParam(), 700);
    addAndWait({makeFolder(1)});
    QTest::mouseClick(view->editingOptionSection()->btnEditingOption(), Qt::LeftButton);
    ASSERT_TRUE(view->optionPopup()->isOpen());
    settle();
    const QListView* list = view->optionPopup()->table();
    const QLineEdit* field = view->editingOptionSection()->txtMetaDataEditingOption();
    EXPECT_GE(view->optionPopup()->view()->width(), field->width()) << "at least as wide as the option's text";
    EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << "three rows need no scrolling";
    ASSERT_EQ(list->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        const QRect shown = list->visualRect(index);
        EXPECT_TRUE(list->viewport()->rect().contains(shown)) << "row " << row << " in sight";
        EXPECT_GT(shown.width(), list->fontMetrics().horizontalAdvance(index.data().toString()))
            << "row " << row << " is read whole";
    }
    // Escape puts the list away without choosing.
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->optionPopup()->isOpen());
    EXPECT_EQ(view->metaDataObject().editingOption, 0);
}

INSTANTIATE_TEST_SUITE_P(WindowWidths, TheEditingOptionList, ::testing::Values(1050, 1400, 1920));

}  // namespace

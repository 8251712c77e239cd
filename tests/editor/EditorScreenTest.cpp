#include "controls/DragDropBox.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/LoaderOverlay.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "intake/PhotoIntake.h"
#include "platform/NotificationCenter.h"
#include "platform/Trash.h"
#include "tests/common/TestSupport.h"
#include "tests/editor/EditorFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "controls/DisableScrollView.h"

namespace {

class AScreen : public EditorFixture {
  protected:
    void chooseInPopup(OptionPopup* popup, int row) {
        QListView* table = popup->table();
        const QRect at = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at.center());
    }
};

TEST_F(AScreen, addsAFolderChosenThroughTheAddMenu) {
    const QString folder = makeFolder(5, true);
    panels.script({folder});
    alerts.script(0);

    QTest::mouseClick(view->btnAddPhoto(), Qt::LeftButton);
    ASSERT_TRUE(view->optionPopup()->isOpen());
    EXPECT_EQ(view->optionPopup()->rows(), QStringList({"Add Photos", "Add Folder", "Add Photos Library"}));
    EXPECT_EQ(view->optionPopup()->view()->size(), QSize(170, 96));
    chooseInPopup(view->optionPopup(), 1);
    EXPECT_FALSE(view->optionPopup()->isOpen());
    EXPECT_EQ(view->flagCurrentAttachPopupType(), -1);
    ASSERT_EQ(panels.shown.size(), 1);
    EXPECT_TRUE(panels.shown.first().canChooseDirectories);
    view->intake().waitForImport();
    settle();

    EXPECT_EQ(view->photoModel()->rowCount(), 5);
    EXPECT_EQ(view->lblPhotosCount()->text(), "Photos(5)");
    EXPECT_EQ(added.size(), 5);
    for (const PhotoFile& photo : batch) EXPECT_TRUE(photo.isSelected);
    // The text file was refused: alert 108 after the loader went.
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().tag, 108);
    EXPECT_EQ(alerts.shown.first().messageText, "FILE CANNOT BE ADDED");
    EXPECT_FALSE(view->vwLoading()->isVisible());
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    // The form holds what the five photos share, and "Multiple values" where they differ.
    EXPECT_EQ(view->textField("Cam_Make")->text(), "Lumarind Camera");
    EXPECT_EQ(view->textField("Artist")->text(), "");
    EXPECT_EQ(view->textField("Artist")->placeholderText(), "Multiple values");
    EXPECT_EQ(view->totalPhotosSelected(), 5);
    EXPECT_TRUE(view->btnRemovePhoto()->isEnabled());
}

TEST_F(AScreen, addsDroppedFilesUnlessAPathInTheTrashLeadsAPanelSelection) {
    const QString folder = makeFolder(3);
    platform::NotificationCenter::defaultCenter().post(
        DragDropBox::kNotificationName, nullptr,
        {{"paths", QStringList({folder + "/photo000.jpg", folder + "/photo002.jpg"})}});
    view->intake().waitForImport();
    settle();
    EXPECT_EQ(view->photoModel()->rowCount(), 2);
    EXPECT_TRUE(alerts.shown.isEmpty());

    // The same file again adds nothing: alert 109, and Remove goes off.
    alerts.script(0);
    addAndWait({folder + "/photo000.jpg"});
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText, "PHOTO EXISTS");
    EXPECT_EQ(batch.size(), 2);

    // A panel selection whose first path lies in the Trash: the refusal says why, in the start window's
    // words, and nothing is added.
    const QString trash = platform::Trash::trashFolders().value(0) + "/files";
    panels.script({trash + "/x.jpg", folder + "/photo001.jpg"});
    alerts.script(0);
    view->popupAddPhotosTappedWithIndex(0);
    ASSERT_EQ(alerts.shown.size(), 2);
    EXPECT_EQ(alerts.shown.last().messageText, "Photos in the Trash cannot be added.");
    EXPECT_EQ(alerts.shown.last().informativeText, "Restore them from the Trash first, then add them again.");
    EXPECT_EQ(alerts.shown.last().buttons, QStringList({"OK"}));
    EXPECT_FALSE(view->intake().isImporting());
    EXPECT_EQ(batch.size(), 2);
}

TEST_F(AScreen, waitsForTheArchivePathAlertOfALibraryThatNamesNone) {
    QSignalSpy handedBack(&view->intake(), &PhotoIntake::importHandedBack);
    view->addPhotosFromPathUrls({testsupport::makeLibraryWithoutArchivePath(dir.path())}, false);
    // Shown although the loader covers the screen, and the import waits for it.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.shown.isEmpty(); }, 10000));
    EXPECT_EQ(alerts.shown.first().messageText, "Please report to the developer should not happen");
    EXPECT_EQ(alerts.shown.first().informativeText, "Send Feedback with logs now.");
    EXPECT_EQ(alerts.shown.first().buttons, QStringList({"OK"}));
    EXPECT_EQ(alerts.parents.first(), view.get());
    EXPECT_TRUE(view->intake().isImporting());
    EXPECT_TRUE(handedBack.isEmpty());
    ASSERT_TRUE(alerts.answerPending(0));
    ASSERT_TRUE(handedBack.wait(10000));
    EXPECT_FALSE(view->intake().isImporting());
}

TEST_F(AScreen, waitsAtStartUpCoveredButLeavesTheAddButtonFree) {
    EXPECT_TRUE(view->vwLoading()->isVisible());
    EXPECT_FALSE(view->vwLoading()->isBoxVisible());
    EXPECT_FALSE(view->vwLoading()->geometry().intersects(view->btnAddPhoto()->geometry()));
    EXPECT_TRUE(view->btnAddPhoto()->isEnabled());
    EXPECT_FALSE(view->btnRemovePhoto()->isEnabled());
    EXPECT_FALSE(view->btnProcess()->isEnabled());
    EXPECT_FALSE(view->btnRestore()->isEnabled());
    // Drops still reach the screen through its cover.
    EXPECT_TRUE(view->leftBox()->acceptDrops());
    EXPECT_TRUE(view->leftBox()->isAncestorOf(view->vwLoading()));
}

TEST_F(AScreen, coversItselfWithTheLoaderWhileImportingAndStopKeepsWhatJoined) {
    QStringList notes;
    QObject owner;
    for (const char* name : {"notificationsShowLoading", "notificationsHideLoading"}) {
        platform::NotificationCenter::defaultCenter().addObserver(
            &owner, name, [&notes](const platform::Notification& n) { notes.append(n.name); });
    }
    view->addPhotosFromPathUrls({makeFolder(4)}, false);
    EXPECT_TRUE(view->vwLoading()->isVisible());
    EXPECT_TRUE(view->vwLoading()->isBoxVisible());
    EXPECT_EQ(view->vwLoading()->geometry(), view->leftBox()->rect());
    EXPECT_EQ(view->vwLoading()->text(), "Please Wait...\n Importing photos");
    EXPECT_TRUE(view->btnstopOnAddPhotos()->isVisible());
    EXPECT_TRUE(subWindow.isSubWindowOpened());
    EXPECT_FALSE(view->leftBox()->acceptDrops());
    EXPECT_TRUE(view->isLoaderRunning());

    // 55 frames, then the loader starts again and says so.
    for (int frame = 1; frame <= 55; ++frame) view->performLoaderAnimationWithCounter();
    EXPECT_EQ(view->vwLoading()->shownFrame(), 55);
    const qsizetype before = notes.size();
    view->performLoaderAnimationWithCounter();
    EXPECT_EQ(notes.size(), before + 1);
    EXPECT_EQ(notes.last(), "notificationsShowLoading");
    view->performLoaderAnimationWithCounter();
    EXPECT_EQ(view->vwLoading()->shownFrame(), 1);

    view->intake().waitForImport();
    settle();
    EXPECT_FALSE(view->vwLoading()->isVisible());
    EXPECT_FALSE(view->isLoaderRunning());
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    EXPECT_TRUE(view->leftBox()->acceptDrops());
    EXPECT_EQ(notes.last(), "notificationsHideLoading");
    EXPECT_EQ(batch.size(), 4);
}

TEST_F(AScreen, removesTheTickedPhotosAndSaysSoWhenNoneIsTicked) {
    addAndWait({makeFolder(4)});
    tick({});
    alerts.script(0);
    QTest::mouseClick(view->btnRemovePhoto(), Qt::LeftButton);
    // With nothing ticked the Remove button is off; pressing it anyway shows the sheet.
    view->btnRemovePhotosTapped();
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText, "NO PHOTO TO REMOVE");
    EXPECT_EQ(alerts.shown.first().informativeText, "No photo selected! Please select a photo to remove!");
    EXPECT_EQ(alerts.shown.first().buttons, QStringList({"OK"}));
    EXPECT_EQ(view->alertTag(), 1001);
    EXPECT_EQ(batch.size(), 4);

    // Custom renaming active: the renaming page asks first and nothing goes yet.
    tick({1, 3});
    int asked = 0;
    QObject::connect(view.get(), &ExifEditorView::renameResetQuestionRequested, [&asked] { ++asked; });
    view->batchActions().vwRenameToast()->show();
    view->btnRemovePhotosTapped();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(view->isRemovingPhotosFromRename());
    EXPECT_EQ(batch.size(), 4);
    ASSERT_EQ(alerts.shown.last().messageText, "RESET RENAMING OPTIONS");
    ASSERT_TRUE(alerts.answerPending(1));  // No: the removal is dropped
    EXPECT_FALSE(view->isRemovingPhotosFromRename());
    EXPECT_EQ(batch.size(), 4);
    view->batchActions().vwRenameToast()->hide();

    const QString gone = batch.at(1).filePath;
    QTest::mouseClick(view->btnRemovePhoto(), Qt::LeftButton);
    EXPECT_EQ(batch.size(), 2);
    EXPECT_FALSE(added.contains(gone));
    EXPECT_EQ(view->photoModel()->rowCount(), 2);
    EXPECT_EQ(view->lblPhotosCount()->text(), "Photos(2)");

    // Removing the last photos empties the screen and drops the pending edits.
    view->session().editField(*MetadataKeyTable::rowForField("Artist"), "pending");
    tick({0, 1});
    view->removePhotosForRemoveButton();
    EXPECT_TRUE(batch.isEmpty());
    EXPECT_EQ(view->lblPhotosCount()->text(), "Photos");
    EXPECT_EQ(view->editedMetaDataObject().Artist, "");
    EXPECT_FALSE(view->btnRemovePhoto()->isEnabled());
    EXPECT_FALSE(view->btnPresets()->isEnabled());
    EXPECT_FALSE(view->btnNext()->isEnabled());
    EXPECT_TRUE(view->btnAddPhoto()->isEnabled());
}

// The Remove button drops the pending edits with the last photo, as the photo menu's removal does: the photos
// added next start from their own values.
TEST_F(AScreen, startsTheNextPhotosWithoutEditsOnceRemovalEmptiedTheBatch) {
    addAndWait({makeFolder(2)});
    QTest::keyClicks(view->textField("Artist"), "pending");
    ASSERT_TRUE(view->isParamsChanged());
    view->removePhotosForRemoveButton();  // every photo is ticked
    ASSERT_TRUE(batch.isEmpty());
    addAndWait({makeFolder(1)});
    EXPECT_FALSE(view->isEditedMetadataObject());
    EXPECT_FALSE(view->isParamsChanged()) << "nothing was edited for these photos";
    EXPECT_FALSE(view->btnReset()->isEnabled());
}

TEST_F(AScreen, opensThePhotoInfoPopupOverTheWindowAtItsTop) {
    addAndWait({makeFolder(3)});
    auto* content = new QWidget;
    content->setMinimumHeight(2000);
    view->setMetadataPopupContent(content);
    int posted = -1;
    QObject owner;
    platform::NotificationCenter::defaultCenter().addObserver(
        &owner, "notificationSetupMetaDataPopup",
        [&posted](const platform::Notification& n) { posted = n.userInfo.value("selectedIndex").toInt(); });
    view->scrollViewMetadataPopup()->verticalScrollBar()->setValue(500);

    view->doubleClick(-1);
    EXPECT_FALSE(view->winMetadataPopup()->isVisible());
    view->doubleClick(2);
    QWidget* popup = view->winMetadataPopup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(posted, 2);
    EXPECT_EQ(popup->size(), QSize(780, 600));
    const QRect window(view->mapToGlobal(QPoint(0, 0)), view->size());
    EXPECT_EQ(popup->geometry().center(), window.center());
    EXPECT_EQ(view->scrollViewMetadataPopup()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(view->vwLoading()->isVisible());
    EXPECT_TRUE(subWindow.isSubWindowOpened());
    // It takes the keys, so Escape puts it away as its Close button does.
    LUMARIND_WAIT_FOR(QApplication::activeWindow() == popup, 5000);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(view->vwLoading()->isVisible());
    EXPECT_FALSE(subWindow.isSubWindowOpened());

    // A photo whose file has gone answers with the remove-from-batch alert.
    QFile::remove(batch.at(0).filePath);
    alerts.script(0);
    int removeAsked = 0;
    QObject::connect(view.get(), &ExifEditorView::removeMissingPhotosRequested, [&removeAsked] { ++removeAsked; });
    view->doubleClick(0);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().tag, 103);
    EXPECT_EQ(alerts.shown.first().buttons, QStringList({"Remove from batch"}));
    EXPECT_EQ(removeAsked, 1);
}

TEST_F(AScreen, saysSoOnceAFeedbackUploadWentThroughAndTheSheetIsGone) {
    alerts.script(0);
    // The feedback sheet is still closing when its upload reports back.
    subWindow.setIsSubWindowOpened(true);
    platform::NotificationCenter::defaultCenter().post("notificationSubmitFeedback");
    EXPECT_TRUE(alerts.shown.isEmpty());
    subWindow.setIsSubWindowOpened(false);
    settle();
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().tag, 104);
    EXPECT_EQ(alerts.shown.first().messageText, "FEEDBACK");
    EXPECT_EQ(alerts.shown.first().informativeText, "Feedback submitted successfully!");
    EXPECT_EQ(alerts.shown.first().buttons, QStringList({"OK"}));
    EXPECT_FALSE(subWindow.isSubWindowOpened());
}

}  // namespace

#include "Helper/MetadataWorkerPool.h"
#include "app/AddPhotosWindow.h"
#include "app/AppNotifications.h"
#include "app/FloatingPanel.h"
#include "app/LoadingOverlay.h"
#include "app/MainTitleBar.h"
#include "app/MainWindowController.h"
#include "app/ProductInfo.h"
#include "app/QuickTourWindow.h"
#include "controls/IMGButton.h"
#include "controls/MouseDownView.h"
#include "controls/VLAppStoreWindow.h"
#include "controls/VisualEffectBacking.h"
#include "intake/PhotoIntake.h"
#include "platform/Compositing.h"
#include "platform/NotificationCenter.h"
#include "tests/app/AppFixtures.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using appfixtures::Shell;

namespace {

enum CloseAnswer { Yes = 0, No = 1 };

PhotoFile photoAt(const QString& path) {
    PhotoFile photo;
    photo.filePath = path;
    return photo;
}

void click(IMGButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

struct CloseRow {
    bool batchEmpty;
    bool unsavedEdits;
    bool versionRated;  // "appVersion" holds the running version
    bool notShowPromotion;
    bool confirmation;  // the close confirmation shows (and is answered Yes)
    bool ratePrompt;    // the rate prompt shows (and is answered No)
    bool panel;         // else the application terminates
};

class TheCloseButton : public testing::TestWithParam<CloseRow> {};

std::string describe(const CloseRow& r) {
    return std::string(r.batchEmpty ? "emptyBatch" : "photos") + (r.unsavedEdits ? "_unsaved" : "_saved") +
           (r.versionRated ? "_rated" : "_notRated") + (r.notShowPromotion ? "_noPanel" : "_panel");
}

std::string closeRowName(const testing::TestParamInfo<CloseRow>& info) {
    return describe(info.param);
}

void PrintTo(const CloseRow& row, std::ostream* os) {
    *os << describe(row);
}

}  // namespace

TEST_P(TheCloseButton, asksWhatTheBatchAndTheStoredChoicesCallFor) {
    const CloseRow row = GetParam();
    Shell shell;
    if (row.versionRated) shell.defaults->setValue("appVersion", ProductInfo::bundleVersion());
    if (row.notShowPromotion) shell.defaults->setValue("notShowPromotionWindow", true);
    shell.launchToMainWindow();
    if (!row.batchEmpty) shell.app->arraySelectedImagesToProcess.append(photoAt("/photos/a.jpg"));
    shell.screen.paramsChanged = row.unsavedEdits;
    if (row.confirmation) shell.alerts.script(Yes);
    if (row.ratePrompt) shell.alerts.script(No);
    QObject observer;
    int hiddenForPanel = 0;
    platform::NotificationCenter::defaultCenter().addObserver(&observer, AppNotifications::mainWindowClose(),
                                                              [&](const platform::Notification&) { ++hiddenForPanel; });
    VLAppStoreWindow* main = shell.window().windowMain();

    click(shell.window().btnCloseWindow());
    shell.delays.runAll();
    Shell::settle();

    QStringList asked;
    for (const platform::Alert& alert : shell.alerts.shown)
        asked.append(alert.suppressionText.isEmpty() ? "confirm" : "rate");
    QStringList expected;
    if (row.confirmation) expected.append("confirm");
    if (row.ratePrompt) expected.append("rate");
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(shell.delays.intervals.contains(200), row.ratePrompt);
    EXPECT_EQ(shell.panel->shown, row.panel ? 1 : 0);
    EXPECT_EQ(shell.terminations, row.panel ? 0 : 1);
    // The panel follows a hidden main window, announced; termination follows a closed one.
    EXPECT_EQ(hiddenForPanel, row.panel && !row.confirmation ? 1 : 0);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(shell.app->isSubWindowOpened());
}

// batch empty, unsaved edits, version rated, panel not wanted -> confirmation, rate prompt, panel
INSTANTIATE_TEST_SUITE_P(
    AllCombinations, TheCloseButton,
    testing::Values(
        CloseRow{true, false, false, false, false, true, true}, CloseRow{true, false, false, true, false, true, false},
        CloseRow{true, false, true, false, false, false, true}, CloseRow{true, false, true, true, false, false, false},
        CloseRow{true, true, false, false, false, true, true}, CloseRow{true, true, false, true, false, true, false},
        CloseRow{true, true, true, false, false, false, true}, CloseRow{true, true, true, true, false, false, false},
        CloseRow{false, false, false, false, false, true, true},
        CloseRow{false, false, false, true, false, true, false},
        CloseRow{false, false, true, false, false, false, true},
        CloseRow{false, false, true, true, false, false, false}, CloseRow{false, true, false, false, true, false, true},
        CloseRow{false, true, false, true, true, false, false}, CloseRow{false, true, true, false, true, false, true},
        CloseRow{false, true, true, true, true, false, false}),
    closeRowName);

TEST(TheCloseConfirmation, answeredNoKeepsTheWindowAndFreesTheScreen) {
    Shell shell;
    shell.launchToMainWindow();
    shell.app->arraySelectedImagesToProcess.append(photoAt("/photos/a.jpg"));
    shell.screen.paramsChanged = true;
    click(shell.window().btnCloseWindow());
    EXPECT_TRUE(shell.app->isSubWindowOpened());
    ASSERT_TRUE(shell.alerts.answerPending(No));
    shell.delays.runAll();
    Shell::settle();
    EXPECT_TRUE(shell.window().windowMain()->isVisible());
    EXPECT_FALSE(shell.app->isSubWindowOpened());
    EXPECT_EQ(shell.terminations + shell.panel->shown, 0);
}

TEST(TheRatePrompt, staysMarkedOpenUntilAnsweredAndStoresTheVersionWhenItShouldNotReturn) {
    struct Row {
        int button;
        bool ticked;
        bool pageOpens;
        bool versionStored;
    };
    const Row rows[] = {{Yes, false, true, true}, {Yes, false, false, false}, {No, false, true, false},
                        {No, true, true, true},   {Yes, true, false, true},   {-1, false, true, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.button << " ticked " << row.ticked << " opens " << row.pageOpens);
        Shell shell;
        shell.launch();
        shell.workspace.succeeds = row.pageOpens;
        shell.window().showAlertForRateApp();
        EXPECT_TRUE(shell.app->isSubWindowOpened());
        EXPECT_EQ(shell.alerts.shown.last().escapeButton, No) << "Escape answers \"No, Thanks\"";
        ASSERT_TRUE(shell.alerts.answerPending(row.button, row.ticked));
        EXPECT_FALSE(shell.app->isSubWindowOpened());
        EXPECT_EQ(shell.defaults->string("appVersion") == ProductInfo::bundleVersion(), row.versionStored);
        EXPECT_EQ(shell.workspace.openedUrls.size(), row.button == Yes ? 1 : 0);
        Shell::settle();
        EXPECT_EQ(shell.panel->shown, 1);
    }
}

TEST(TheAddPhotosWindow, holdsTheTitleBarButtonsAndTheSizeWhileItShows) {
    Shell shell;
    shell.launch();
    MainWindowController& window = shell.window();
    const QList<IMGButton*> buttons{window.btnCloseWindow(), window.btnMinimizeWindow(), window.btnZoomWindow()};
    auto enabled = [&] {
        QList<bool> states;
        for (IMGButton* b : buttons) states.append(b->isEnabled());
        return states;
    };
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true}));
    shell.delays.runAll();
    ASSERT_TRUE(window.winAddPhotos()->isVisible());
    EXPECT_EQ(enabled(), (QList<bool>{false, false, false}));
    EXPECT_FALSE(window.windowMain()->isResizable());
    EXPECT_TRUE(shell.app->isSubWindowOpened());

    shell.panels.script({"/photos/a.jpg", "/photos/b.jpg"});
    click(window.winAddPhotos()->btnAddPhotos());
    EXPECT_FALSE(window.winAddPhotos()->isVisible());
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true}));
    EXPECT_TRUE(window.windowMain()->isResizable());
    EXPECT_FALSE(shell.app->isSubWindowOpened());
    EXPECT_EQ(shell.screen.added, (QList<QStringList>{{"/photos/a.jpg", "/photos/b.jpg"}}));

    // The editing screen's loader holds close and zoom while it shows.
    platform::NotificationCenter::defaultCenter().post(AppNotifications::showLoading());
    EXPECT_EQ(enabled(), (QList<bool>{false, true, false}));
    platform::NotificationCenter::defaultCenter().post(AppNotifications::hideLoading());
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true}));
}

TEST(TheAddPhotosWindow, refusesAChoiceThatStartsInTheTrashWhicheverWayItWasMade) {
    QTemporaryDir data;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString inTrash = data.filePath("Trash/files/holiday.jpg");
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        Shell shell;
        shell.launch();
        shell.delays.runAll();
        AddPhotosWindow* addPhotos = shell.window().winAddPhotos();
        IMGButton* button[] = {addPhotos->btnAddPhotos(), addPhotos->btnAddFolders(), addPhotos->btnAddiPhotos()};
        shell.panels.script({inTrash, "/photos/b.jpg"});
        click(button[way]);
        ASSERT_EQ(shell.alerts.shown.size(), 1);
        EXPECT_EQ(shell.alerts.shown.first().messageText, "Photos in the Trash cannot be added.");
        EXPECT_TRUE(shell.screen.added.isEmpty());
        EXPECT_TRUE(addPhotos->isVisible());
        // A later path in the Trash does not stop the choice: only the first is looked at.
        shell.panels.script({"/photos/b.jpg", inTrash});
        click(button[way]);
        EXPECT_EQ(shell.screen.added.size(), 1);
        // Photo files; folders alone, in a folder chooser; a library, which is a folder here.
        const bool files[] = {true, false, true};
        EXPECT_EQ(shell.panels.shown.first().canChooseFiles, files[way]);
        EXPECT_EQ(shell.panels.shown.first().canChooseDirectories, way != 0);
    }
    qputenv("XDG_DATA_HOME", oldData);
}

TEST(TheAddPhotosWindow, waitsForTheArchivePathAlertOfALibraryThatNamesNone) {
    QTemporaryDir dir;
    Shell shell;
    shell.launch(false);
    shell.delays.runAll();
    QSignalSpy handedBack(&shell.app->photoIntake(), &PhotoIntake::importHandedBack);
    shell.panels.script({testsupport::makeLibraryWithoutArchivePath(dir.path())});
    click(shell.window().winAddPhotos()->btnAddiPhotos());
    LUMARIND_WAIT_FOR(!shell.alerts.shown.isEmpty(), 10000);
    EXPECT_EQ(shell.alerts.shown.first().messageText, "Please report to the developer should not happen");
    EXPECT_EQ(shell.alerts.shown.first().informativeText, "Send Feedback with logs now.");
    EXPECT_EQ(shell.alerts.shown.first().buttons, QStringList({"OK"}));
    EXPECT_TRUE(handedBack.isEmpty());
    ASSERT_TRUE(shell.alerts.answerPending(0));
    ASSERT_TRUE(handedBack.wait(10000));
}

TEST(TheAddPhotosWindow, bringsAPhotoIntoTheBatchWithItsMetadataRead) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "no camera photos in ../shared/corpus";
    // As the entry point does, before anything reads a photo.
    MetadataWorkerPool::install();
    QTemporaryDir dir;
    const QString photo = dir.filePath("Canon EOS 7D.jpg");
    ASSERT_TRUE(QFile::copy(corpus + "/Canon EOS 7D.jpg", photo));
    const QString make = QString::fromUtf8(testsupport::exiftool({"-s3", "-Make", photo})).trimmed();
    ASSERT_FALSE(make.isEmpty());

    Shell shell;
    shell.launch(false);
    shell.delays.runAll();
    QSignalSpy handedBack(&shell.app->photoIntake(), &PhotoIntake::importHandedBack);
    shell.panels.script({photo});
    click(shell.window().winAddPhotos()->btnAddPhotos());
    EXPECT_FALSE(shell.window().winAddPhotos()->isVisible());
    ASSERT_TRUE(handedBack.count() == 1 || handedBack.wait(20000));

    ASSERT_EQ(shell.app->arraySelectedImagesToProcess.size(), 1);
    const PhotoFile& added = shell.app->arraySelectedImagesToProcess.first();
    EXPECT_EQ(added.filePath, photo);
    EXPECT_EQ(added.metadataObject->Cam_Make, make);
    EXPECT_EQ(added.metadataObjectOriginal->Cam_Make, make);
    EXPECT_TRUE(shell.app->dictFileAdded.contains(photo));
    EXPECT_FALSE(shell.app->isSubWindowOpened());
    EXPECT_FALSE(shell.window().vwLoading()->isVisible());

    // The same photo dropped again is already in the batch: the intake says so and adds nothing.
    shell.window().addPhotoWindow();
    platform::NotificationCenter::defaultCenter().post(AppNotifications::fileDragDrop(), nullptr,
                                                       {{"paths", QStringList{photo}}});
    EXPECT_FALSE(shell.window().winAddPhotos()->isVisible());
    ASSERT_TRUE(handedBack.count() == 2 || handedBack.wait(20000));
    EXPECT_EQ(shell.app->arraySelectedImagesToProcess.size(), 1);
    EXPECT_FALSE(shell.app->isSubWindowOpened());
    ASSERT_EQ(shell.alerts.shown.size(), 1);
    EXPECT_EQ(shell.alerts.shown.first().tag, AlertPhotosExist);
}

// The quick tour and the add-photos window float over the see-through main window. An X display without a
// compositing manager shows such a window over another as nothing: there they are opaque and cut to shape.
TEST(AFloatingPanel, isOpaqueAndCutToItsRoundedShapeWhereTheDisplayDoesNotComposite) {
    QWidget mainWindow;
    for (const bool composited : {false, true}) {
        SCOPED_TRACE(composited ? "composited" : "not composited");
        platform::setCompositingAnswer(composited);
        FloatingPanel panel(&mainWindow, QSize(300, 200), 40, 12, QColor(30, 30, 30));
        EXPECT_EQ(panel.testAttribute(Qt::WA_TranslucentBackground), composited);
        EXPECT_FALSE(panel.mask().contains(QPoint(0, 0))) << "a rounded corner";
        EXPECT_TRUE(panel.mask().contains(QPoint(150, 100)));
        const QImage drawn = panel.grab().toImage();
        EXPECT_EQ(drawn.pixelColor(150, 100).name(), QColor(30, 30, 30).name());
        if (!composited) EXPECT_EQ(drawn.pixelColor(2, 2).alpha(), 255) << "no see-through pixel at the edge";
    }
    platform::setCompositingAnswer(std::nullopt);
}

TEST(TheQuickTour, leadsToTheAddPhotosWindowAtTheFirstLaunchAndBackToTheWindowLater) {
    Shell shell({{QStringLiteral("isFirstTime"), QStringLiteral("yes")}});
    shell.launch();
    shell.delays.runAll();
    QuickTourWindow* tips = shell.window().winTips();
    ASSERT_TRUE(tips->isVisible());
    EXPECT_TRUE(tips->webViewTips()->toPlainText().contains("Welcome to Lumarind"));

    emit tips->webViewTips()->anchorClicked(QUrl("app:torvanelinkClicked"));
    EXPECT_EQ(shell.workspace.openedUrls, QList<QUrl>{shell.app->serviceHosts().website});
    emit tips->webViewTips()->anchorClicked(QUrl("app:closeQuickTourClicked"));
    EXPECT_FALSE(tips->isVisible());
    shell.delays.runAll();
    EXPECT_TRUE(shell.window().winAddPhotos()->isVisible());

    shell.window().hideAddPhotosWindow();
    shell.app->showTips();
    EXPECT_TRUE(tips->isVisible());
    tips->close();  // by the window system
    shell.delays.runAll();
    EXPECT_FALSE(tips->isVisible());
    EXPECT_FALSE(shell.window().winAddPhotos()->isVisible());
    EXPECT_TRUE(shell.window().windowMain()->isVisible());
}

TEST(TheMainWindow, mountsTheEditingScreenBelowItsTitleBarOnTheSharedBackingSquareOnTop) {
    Shell shell;
    shell.launch();
    VLAppStoreWindow* main = shell.window().windowMain();
    EXPECT_EQ(main->size(), QSize(1050, 700));
    EXPECT_EQ(main->minimumSize(), QSize(1050, 700));
    QWidget* editor = shell.window().editorView();
    ASSERT_EQ(editor, shell.screen.widget);
    EXPECT_EQ(editor->mapTo(main, QPoint(0, 0)), QPoint(0, 50));
    EXPECT_EQ(editor->size(), QSize(1050, 650));
    const auto backings = main->findChildren<VisualEffectBacking*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(backings.size(), 1);
    EXPECT_EQ(backings.first()->geometry(), shell.window().mainScreenView()->geometry());
    EXPECT_TRUE(backings.first()->look().squareTop);
}

TEST(TheDragAreas, moveTheirWindowByThePointerAndKeepItsTopOnTheScreen) {
    Shell shell({{QStringLiteral("isFirstTime"), QStringLiteral("yes")}});
    shell.launch();
    shell.delays.runAll();  // the tour shows
    MainWindowController& window = shell.window();
    QWidget* main = window.windowMain();
    QWidget* tips = window.winTips();
    auto drag = [](QWidget* strip, QPoint by) {
        const QPoint from(40, 10);
        QTest::mousePress(strip, Qt::LeftButton, {}, from);
        QTest::mouseMove(strip, from + by);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, from + by);
    };
    const QPoint mainBefore = main->pos();
    const QPoint tipsBefore = tips->pos();
    drag(window.winTips()->vwMouseDownTips(), QPoint(30, 20));
    EXPECT_EQ(main->pos(), mainBefore + QPoint(30, 20));
    EXPECT_EQ(tips->pos(), tipsBefore + QPoint(30, 20));

    const QPoint tipsNow = tips->pos();
    drag(window.vwTopContainer()->vwMouseDownLintener(), QPoint(-10, -5000));
    EXPECT_EQ(main->pos().x(), mainBefore.x() + 20);
    EXPECT_EQ(main->pos().y(), main->screen()->geometry().top());
    EXPECT_EQ(tips->pos().x(), tipsNow.x() - 10);
}

TEST(TheApplicationMenu, opensUnderItsButtonAndLeftwardsOverTheWindow) {
    Shell shell;
    shell.launch();
    MainTitleBar* bar = shell.window().vwTopContainer();
    QWidget* main = shell.window().windowMain();
    main->move(200, 100);
    Shell::settle();
    bar->btnMenu()->setEnabled(true);
    click(bar->btnMenu());
    QMenu* menu = bar->menu();
    ASSERT_TRUE(menu->isVisible());
    const QRect button(bar->btnMenu()->mapToGlobal(QPoint(0, 0)), bar->btnMenu()->size());
    EXPECT_EQ(menu->geometry().right(), button.right());
    EXPECT_GT(menu->geometry().top(), button.bottom());
    EXPECT_TRUE(main->frameGeometry().contains(menu->geometry())) << "over the window it belongs to";
    menu->close();
}

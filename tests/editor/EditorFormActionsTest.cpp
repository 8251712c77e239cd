#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "controls/DisableScrollView.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditingOptions.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableActions.h"
#include "editor/PhotoTableModel.h"
#include "editor/PopupLists.h"
#include "model/EditorAlertTag.h"
#include "model/PresetStore.h"
#include "tests/common/TestSupport.h"
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
    EXPECT_TRUE(alerts.shown.isEmpty());

    // A desktop without an image viewer: the row says so over the screen.
    workspace.succeeds = false;
    openPhotoMenu(1);
    view->popupOptionTapped(1);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText, "No image viewer could open the photo.");
    EXPECT_EQ(alerts.parents.first(), view.get());
    ASSERT_TRUE(alerts.answerPending(0));
    workspace.succeeds = true;

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
    LUMARIND_WAIT_FOR_EQ(removed.size(), 1, 5000);
    EXPECT_EQ(removed.first().first().toInt(), 2);
    ASSERT_EQ(batch.size(), 1);
    EXPECT_EQ(batch.first().filePath, kept);
    EXPECT_EQ(added, QSet<QString>{kept});
    EXPECT_EQ(view->lblPhotosCount()->text(), "Photos(1)");
}

TEST_F(TheScreensActions, applyOnlyAValidFormAndRevertToTheSelectionsValues) {
    addAndWait({makeFolder(2)});
    EXPECT_FALSE(view->btnApply()->isEnabled());
    QTest::keyClicks(view->textField("Copyright"), "(c) Lumarind");
    QTest::keyClicks(view->textField("Artist"), "Ada");
    EXPECT_TRUE(view->btnApply()->isEnabled()) << "typing is an edit to apply";
    EXPECT_TRUE(view->btnRevert()->isEnabled());
    view->textField("CamSetting_ISO")->setText("70000");
    QSignalSpy errors(&actions(), &EditorFormActions::errorsFoundInForm);
    view->btnApply()->click();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(view->errorLabel("CamSetting_ISO")->isVisibleTo(view.get()));
    EXPECT_EQ(view->errorLabel("CamSetting_ISO")->text(), "* Value cannot be greater than 65535");
    EXPECT_TRUE(view->isParamsChanged()) << "a refused Apply changes nothing";

    view->textField("CamSetting_ISO")->setText("400");
    view->btnApply()->click();
    EXPECT_FALSE(view->isParamsChanged());
    EXPECT_FALSE(view->btnApply()->isEnabled());
    EXPECT_TRUE(view->btnRevert()->isEnabled()) << "the applied form can still go back";
    EXPECT_EQ(selection.Copyright, "(c) Lumarind");
    EXPECT_EQ(view->metaDataObjectWithUpdatedChange().Copyright, "(c) Lumarind");

    alerts.script(0);
    view->btnRevert()->click();
    EXPECT_EQ(selection.Copyright, "");
    EXPECT_EQ(view->metaDataObject().Copyright, "");
    EXPECT_EQ(view->textField("Copyright")->text(), "");
    EXPECT_EQ(view->textField("Artist")->text(), "");
    EXPECT_EQ(view->textField("Artist")->placeholderText(), "Multiple values") << "as the photos were set up";
    EXPECT_FALSE(view->btnRevert()->isEnabled()) << "nothing left to revert";
    // A new selection lays the pending edits on again: there is something to revert once more.
    tick({0});
    EXPECT_TRUE(view->btnRevert()->isEnabled());
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

// Reset drops the edit that chose to clean the metadata: the form is back at its fields, as its option says.
TEST_F(TheScreensActions, showTheFieldsAgainWhenResetDropsTheCleaningOption) {
    addAndWait({makeFolder(1)});
    actions().changeViewAccordingToMetadataOtion(CleanMetadataInfo);
    ASSERT_FALSE(view->vwExif()->isVisibleTo(view.get()));
    QTest::mouseClick(view->btnReset(), Qt::LeftButton);
    settle();
    EXPECT_EQ(view->metaDataObject().editingOption, OnlyModifyEditedFields);
    EXPECT_TRUE(view->vwExif()->isVisibleTo(view.get()));
    EXPECT_FALSE(view->editingOptionSection()->vwClearOptions()->isVisibleTo(view.get()));
    EXPECT_TRUE(view->scrollViewExifData()->scrollingEnabled());
}

TEST_F(TheScreensActions, writeThePositionFromTheMapWindowIntoTheGpsFields) {
    addAndWait({makeFolder(1)});
    // Under "clear others" the form shows only what the run keeps; a report of the map changes its four
    // fields and leaves the others as they are.
    actions().changeViewAccordingToMetadataOtion(ModifyEditedClearOthers);
    ASSERT_EQ(view->metaDataObject().Cam_Make, "Lumarind Camera");
    EXPECT_EQ(view->textField("Cam_Make")->text(), "");
    QTest::mouseClick(view->btnShowMap(), Qt::LeftButton);
    MapWindow* window = actions().gpsMap().winMapview();
    ASSERT_TRUE(window->isVisible());
    // An open map holds the screen's alerts off, as every child window does.
    EXPECT_TRUE(subWindow.isSubWindowOpened());
    view->showAlertWithTag(AlertErrorsFound);
    EXPECT_TRUE(alerts.shown.isEmpty());
    MapViewForExtension* picker = window->mapviewRef();
    picker->mapView()->setTileServers({}, {});
    EXPECT_TRUE(picker->btnAddPin()->isEnabled()) << "the photo has no position";
    picker->btnAddPin()->click();
    EXPECT_EQ(view->textField("GPS_Lattitude")->text(), "37.77000000");
    EXPECT_EQ(view->textField("GPS_Longitude")->text(), "122.47010000");
    EXPECT_EQ(view->metaDataObject().GPS_LongitudeRef, "W");
    EXPECT_EQ(view->textField("GPS_LongitudeRef")->text(), "West");
    EXPECT_TRUE(view->editedMetaDataObject().isupdated_GPS_Lattitude);
    EXPECT_EQ(view->textField("Cam_Make")->text(), "") << "the run clears it; the form must not show it again";
    picker->btnRemovePin()->click();
    EXPECT_EQ(view->textField("GPS_Lattitude")->text(), "");
    EXPECT_EQ(view->textField("Cam_Make")->text(), "");
    EXPECT_EQ(view->metaDataObject().GPS_LattitudeRef, "");
    window->close();
    EXPECT_FALSE(subWindow.isSubWindowOpened());
    EXPECT_TRUE(view->btnShowMap()->isEnabled());
}

// Start stops on a form that cannot be written and shows why: the first failing field, with its message, is
// in view, wherever the user was typing.
class AStartWithErrors : public TheScreensActions, public ::testing::WithParamInterface<const char*> {};

TEST_P(AStartWithErrors, bringsTheFirstFailingFieldIntoView) {
    addAndWait({makeFolder(2)});
    const QString name = QLatin1String(GetParam());
    if (QLineEdit* field = view->textField(name); field && !field->isReadOnly()) {
        field->setFocus();
        QTest::keyClicks(field, "70000 f/x");
    } else {
        DateTimeConfiguration rule;  // the 31st of April
        rule.tagConfigureOption = DateTimeConfiguration::UpdateDate;
        rule.stringUpdateDay = "31";
        rule.stringUpdateMonth = "4";
        view->session().setDateRule(2, std::make_shared<const DateTimeConfiguration>(rule),
                                    DateRuleChecks::ruleSummary(rule));
        view->batchActions().showDateWarningIfGreaterThanToday();  // as the date panel does with every rule
    }
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_EQ(alerts.shown.first().messageText.toUpper(), "ERRORS FOUND");
    QWidget* viewport = view->scrollViewExifData()->viewport();
    for (QWidget* shown : QList<QWidget*>{view->textField(name), view->errorLabel(name)}) {
        EXPECT_TRUE(shown->isVisibleTo(view.get()));
        EXPECT_TRUE(viewport->rect().contains(QRect(shown->mapTo(viewport, QPoint()), shown->size())))
            << shown->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, AStartWithErrors,
                         ::testing::Values("CamSetting_FNumber", "GPS_Altitude", "AdvCamSetting_Sharpness",
                                           "Date_Modify"),
                         [](const auto& info) { return std::string(info.param); });

// The editing option's list, opened by its button at window widths from the window's smallest.
TEST_F(TheScreensActions, showTheEditingOptionsThreeRowsWholeAtEveryWindowSize) {
    addAndWait({makeFolder(1)});
    for (const int width : {1050, 1400, 1920}) {
        SCOPED_TRACE(width);
        view->resize(width, 700);
        settle();
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
}

// The form half on its own: a session, the half and a screen that answers from the case and notes what it is
// asked to do.
class NotingScreen : public FormActionsScreen {
  public:
    int photos = 0;
    bool renamingAsks = false;
    QHash<QString, QString> shown;
    QStringList calls;

    int totalPhotosSelected() const override { return photos; }
    int onImageRenameOptionPage() const override { return 0; }
    bool isCustomRenamingAskingReset() const override { return renamingAsks; }
    QString fieldText(const QString& fieldName) const override { return shown.value(fieldName); }
    void enableView(bool enabled) override { calls << QStringLiteral("enableView %1").arg(enabled); }
    void windowWillClose() override { calls << "windowWillClose"; }
    void hideAllErrorLabels() override { calls << "hideAllErrorLabels"; }
    void showFieldError(const QString& field, const QString& text) override { calls << "error " + field + ": " + text; }
    void scrollToField(const QString& field) override { calls << "scrollToField " + field; }
    void clearPlaceholders(const QStringList& fields) override { calls << "clearPlaceholders " + fields.join(','); }
    void endFieldEditing() override { calls << "endFieldEditing"; }
    void setPresetsAndNextEnabled(bool enabled) override { calls << QStringLiteral("presetsAndNext %1").arg(enabled); }
    void openPhotoMenu(const QPointF& at, bool right) override {
        calls << QStringLiteral("openPhotoMenu %1,%2 %3").arg(at.x()).arg(at.y()).arg(right);
    }
    void showPhotoMissingAlert() override { calls << "showPhotoMissingAlert"; }
    void addMetaDataPopupWithIndex(int row) override { calls << QStringLiteral("metadataPopup %1").arg(row); }
    void holdRemovalByMenuForResetQuestion() override { calls << "holdRemovalByMenuForResetQuestion"; }
    void photoRowChanged(int row) override { calls << QStringLiteral("photoRowChanged %1").arg(row); }
    void reloadPhotoList() override { calls << "reloadPhotoList"; }
    void setupUIForSelectedPhotoFiles(const QList<PhotoFile>& photos) override {
        calls << QStringLiteral("setupUI %1").arg(photos.size());
    }
    void processAfterAllPhotosAdded() override { calls << "processAfterAllPhotosAdded"; }
    void checkAllPhotosDeletedFromArray() override { calls << "checkAllPhotosDeletedFromArray"; }
    void showLoading(bool show, const QString& text) override { calls << QString("loading %1 ").arg(show) + text; }
};

struct TheFormHalf {
    QTemporaryDir dir;
    platform::UserDefaults defaults{dir.filePath("defaults.ini")};
    PresetStore presets{defaults};
    QList<PhotoFile> batch;
    QSet<QString> added;
    MetaDataObject selection;
    SubWindowState subWindow;
    EditorSharedState shared{batch, added, presets, selection, subWindow};
    QWidget owner;
    EditSession session{EditSession::Lent{&selection, nullptr}};
    NotingScreen screen;
    EditorFormActions form{session, screen, shared, &owner};

    // One photo whose file is there and one whose file has gone.
    TheFormHalf() {
        for (const char* name : {"there.jpg", "gone.jpg"}) {
            PhotoFile photo;
            photo.filePath = dir.filePath(name);
            photo.isSelected = true;
            batch.append(photo);
            added.insert(photo.filePath);
        }
        QFile(batch.first().filePath).open(QIODevice::WriteOnly);
        session.setSelection(MetaDataObject(), true);
    }

    void nothing() {}
    void apply() { form.btnApplyMetaDataTapped(); }
    void revert() { form.btnYesOnRevertAlertTapped(); }
    void choosePreset() {
        MetaDataObject preset;
        preset.Artist = "Bob";
        presets.arrayPresets().append(preset);
        form.onPopupChoice(PopupLists::Presets, 0);
    }
    // With no preset stored, the list's only row is the editor's.
    void choosePresetEditor() { form.onPopupChoice(PopupLists::Presets, 0); }
    void removeByTheMenu() {
        form.btnInfoTappedAtLocationInTableView({5, 6}, 0, false);
        form.onPopupChoice(PopupLists::PhotoMenu, PhotoTableActions::RemovePhoto);
    }
    void removeAfterTheRenamingQuestion() {
        screen.renamingAsks = true;
        removeByTheMenu();
    }
};

TEST(AFormHalf, asksTheScreenForWhatItNeeds) {
    using H = TheFormHalf;
    const struct {
        const char* name;
        int photos;
        const char* iso;  // typed first, unless null
        void (TheFormHalf::*then)();
        const char* calls;  // joined by '|'
        bool applyOffered, revertOffered;
        int photosLeft = 2;
    } rows[] = {
        {"refusesAnInvalidFormAndSaysWhere", 2, "70000", &H::apply,
         "error CamSetting_ISO: * Value cannot be greater than 65535|scrollToField CamSetting_ISO", true, true},
        {"appliesAValidForm", 2, "400", &H::apply, "", false, true},
        {"offersNoRevertWithoutPhotos", 0, "400", &H::nothing, "", true, false},
        {"revertsWithTheMessagesGone", 1, "400", &H::revert, "hideAllErrorLabels", false, false},
        {"appliesAPresetAndEndsTheTyping", 1, nullptr, &H::choosePreset, "enableView 1|endFieldEditing", true, true},
        {"opensThePresetEditorFromTheLastRow", 1, nullptr, &H::choosePresetEditor, "enableView 0", false, false},
        {"holdsAMenuRemovalForTheRenamingQuestion", 1, nullptr, &H::removeAfterTheRenamingQuestion,
         "openPhotoMenu 5,6 0|holdRemovalByMenuForResetQuestion", false, false},
        {"removesThePhotoOfTheMenu", 2, nullptr, &H::removeByTheMenu,
         "openPhotoMenu 5,6 0|processAfterAllPhotosAdded|checkAllPhotosDeletedFromArray", false, false, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TheFormHalf half;
        half.screen.photos = row.photos;
        if (row.iso) {
            half.screen.shown.insert("CamSetting_ISO", row.iso);
            half.session.editField(*MetadataKeyTable::rowForField("CamSetting_ISO"), row.iso);
        }
        (half.*row.then)();
        EXPECT_EQ(half.screen.calls.join('|'), row.calls);
        EXPECT_EQ(half.form.isApplyOffered(), row.applyOffered);
        EXPECT_EQ(half.form.isRevertOffered(), row.revertOffered);
        EXPECT_EQ(half.batch.size(), row.photosLeft);
    }
}

}  // namespace

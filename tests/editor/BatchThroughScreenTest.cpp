// A batch run driven through the editing screen itself: its buttons, its sheets, the real metadata writer.
#include "tests/editor/EditorFixture.h"

#include "controls/GRProgressIndicator.h"
#include "editor/BatchRunScreen.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/ErrorSummaryModel.h"
#include "editor/ImageToggleButton.h"
#include "editor/ProgressSheet.h"
#include "editor/RenamingOptionsPanel.h"
#include "editor/SummaryWindow.h"
#include "intake/PhotoIntake.h"
#include "model/PresetStore.h"
#include "tests/common/BatchRunDoubles.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <deque>

namespace {

class TheScreensBatch : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        controller().setDelay(delayed.delay());
        QObject::connect(&controller(), &BatchRunController::progressChanged, [this](int p) { progress << p; });
    }
    BatchRunController& controller() { return view->batchActions().controller(); }
    void fireDelays() { delayed.fire(); }
    void waitForEnd() {
        QSignalSpy ended(&controller().runner(), &BatchRunner::runEnded);
        if (controller().isRunning()) {
            ASSERT_TRUE(ended.wait(60000));
        }
        settle();
    }
    void type(const QString& field, const QString& text) {
        QLineEdit* line = view->textField(field);
        ASSERT_NE(line, nullptr) << field.toStdString();
        line->clear();
        QTest::keyClicks(line, text);
    }
    QStringList alertTitles() const {
        QStringList titles;
        for (const platform::Alert& a : alerts.shown) titles << a.messageText;
        return titles;
    }

    testsupport::ManualDelay delayed;
    QList<int> progress;
};

TEST_F(TheScreensBatch, writesTheTickedPhotosAndSumsUpTheRun) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
    const QString folder = dir.filePath("camera");
    QDir().mkpath(folder);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(QFile::copy(corpus + "/Canon EOS 7D.jpg", folder + QStringLiteral("/photo00%1.jpg").arg(i)));
    QFile broken(folder + "/photo003.jpg");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a photo");
    broken.close();
    addAndWait({folder});
    ASSERT_EQ(batch.size(), 4);
    type("Artist", "Lumarind Screen");
    EXPECT_TRUE(view->isParamsChanged());

    const QString out = dir.filePath("Output Folder");
    QDir().mkpath(out);
    panels.script({out});
    alerts.script(0);  // Yes on START PROCESS
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    ASSERT_FALSE(panels.shown.isEmpty());
    EXPECT_EQ(panels.shown.last().accessoryCheckBox, "Keep Source Folder Path");
    fireDelays();
    ASSERT_EQ(alertTitles(), QStringList({"START PROCESS"}));
    ProgressSheet* sheet = view->batchActions().batchScreen().progressSheet();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(subWindow.isSubWindowOpened());
    waitForEnd();
    EXPECT_EQ(progress, QList<int>({0, 25, 50, 75, 100}));
    EXPECT_FALSE(sheet->isVisible());
    fireDelays();

    SummaryWindow* summary = view->batchActions().batchScreen().summaryWindow();
    ASSERT_TRUE(summary->isVisible());
    EXPECT_EQ(summary->lblSummaryTitle()->text(), "Batch Process Finished");
    EXPECT_EQ(summary->lblPhotoProcessedSummary()->text(), "3");
    EXPECT_EQ(summary->lblErrorsSummary()->text(), "Error Found(1) Warning Found(0)");
    ASSERT_EQ(summary->errorModel()->rowCount(), 1);
    EXPECT_EQ(summary->errorModel()->index(0).data().toString(), folder + "/photo003.jpg");
    EXPECT_EQ(batch[3].processStatus, ExifWriteFailed);
    EXPECT_EQ(testsupport::exiftool({"-s3", "-Artist", out + "/photo000.jpg"}).trimmed(), "Lumarind Screen");
    QTest::mouseClick(summary->btnClose(), Qt::LeftButton);
    EXPECT_TRUE(view->btnRestore()->isEnabled());
    EXPECT_FALSE(view->isParamsChanged()) << "a run leaves the form unchanged";

    // An unchanged form asks first; No leaves everything as it is.
    panels.script({out});
    alerts.script(1);
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    fireDelays();
    EXPECT_EQ(alertTitles().last(), "NO CHANGES IN EXIF DATA");
    EXPECT_FALSE(controller().isRunning());

    // Restore writes the copies again from the values held before editing.
    alerts.script(0);
    QTest::mouseClick(view->btnRestore(), Qt::LeftButton);
    EXPECT_EQ(alertTitles().last(), "RESTORE EXIF DATA");
    waitForEnd();
    fireDelays();
    EXPECT_NE(testsupport::exiftool({"-s3", "-Artist", out + "/photo000.jpg"}).trimmed(), "Lumarind Screen");
    EXPECT_FALSE(view->btnRestore()->isEnabled());
}

TEST_F(TheScreensBatch, resetsTheEditsAndRefusesAnInvalidForm) {
    addAndWait({makeFolder(2)});
    type("Artist", "pending");
    ASSERT_TRUE(view->btnReset()->isEnabled());
    QTest::mouseClick(view->btnReset(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(view->btnReset()->isEnabled());
    EXPECT_FALSE(view->isEditedMetadataObject());
    EXPECT_EQ(view->editedMetaDataObject().Artist, "");

    type("CamSetting_FNumber", "2.8x");
    alerts.script(0);
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    EXPECT_EQ(alertTitles().last(), "ERRORS FOUND");
    EXPECT_TRUE(panels.shown.isEmpty());
}

TEST_F(TheScreensBatch, opensTheRenamingPageAndAsksBeforeAnAddResetsIt) {
    addAndWait({makeFolder(2)});
    QTest::mouseClick(view->btnNext(), Qt::LeftButton);
    RenamingOptionsPanel* page = view->batchActions().renamingPage();
    ASSERT_TRUE(page->isVisible());
    EXPECT_FALSE(view->vwMetaContainer()->isVisible());
    EXPECT_FALSE(view->btnPresets()->isEnabled());
    page->btnEditOriginalName()->click();
    page->partBox(RenamingPage::WidthHeightPart)->click();
    page->btnBack()->click();
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(view->batchActions().vwRenameToast()->isVisible());
    EXPECT_EQ(view->btnNext()->property("imageName").toString(), "rename_option_Edit_normal");

    // Photos dropped now would lose the renaming choices: the screen asks, and No keeps them.
    const QString more = makeFolder(1);
    alerts.script(1);
    platform::Notification drop;
    drop.userInfo.insert("paths", QStringList{more});
    view->handleFileDragDropNotification(drop);
    EXPECT_EQ(alertTitles().last(), "RESET RENAMING OPTIONS");
    EXPECT_EQ(batch.size(), 2);
    EXPECT_TRUE(page->page().showsRenameNotice());

    alerts.script(0);
    view->handleFileDragDropNotification(drop);
    view->intake().waitForImport();
    settle();
    EXPECT_EQ(batch.size(), 3);
    EXPECT_FALSE(page->page().anyNamePartTicked());
    EXPECT_FALSE(view->batchActions().vwRenameToast()->isVisible());
}

TEST_F(TheScreensBatch, putsARuleOnADateFieldAndLabelsAnImpossibleDay) {
    addAndWait({makeFolder(1)});
    DateTimeRulesPanel* panel = view->batchActions().datePanel();
    QWidget* button = view->viewWithTag(250 + 2);
    ASSERT_NE(button, nullptr);
    emit view->dateFieldTapped(2, button);
    ASSERT_TRUE(panel->isOpen());
    panel->radio(DateTimeConfiguration::UpdateDate)->click();
    panel->updateField(0)->setText("30");
    panel->updateField(1)->setText("2");
    panel->updateDateTimeMetaDataConfiguration();
    EXPECT_TRUE(view->metaDataObject().isupdated_Date_Modify);
    EXPECT_TRUE(view->textField("Date_Modify")->text().startsWith("Update: Day:30 Month:2"));
    QLabel* label = view->errorLabel("Date_Modify");
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->text(), "* Error: Update date is not valid. Please check.");
    panel->removeAttachedPopupWindow();

    // A refill checks the impossible day again, so the label stays while Start still refuses.
    view->updateTextFieldsValues(view->metaDataObject());
    EXPECT_FALSE(label->isHidden());
    alerts.script(0);
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    EXPECT_EQ(alertTitles().last(), "ERRORS FOUND");
}

// A date rule the user set, on the form or through a saved preset, is what the copy carries.
struct DateOnTheCopy {
    const char* name;
    void (*edit)(ExifEditorView& view, PresetStore& presets);
    const char* tag;
    const char* expected;
    friend void PrintTo(const DateOnTheCopy& row, std::ostream* os) { *os << row.name; }
};

class TheCopiesDates : public TheScreensBatch, public testing::WithParamInterface<DateOnTheCopy> {};

TEST_P(TheCopiesDates, areTheOnesTheFormsRulesMake) {
    const QString corpus = testsupport::corpusDir();
    if (corpus.isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
    LUMARIND_REQUIRE_EXIFTOOL();
    view->setIntakeSettings({});  // the photo's own dates are the rules' input
    const QString folder = dir.filePath("camera");
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(corpus + "/Canon EOS 7D.jpg", folder + "/photo000.jpg"));
    addAndWait({folder});
    GetParam().edit(*view, *presets);

    const QString out = dir.filePath("Output Folder");
    QDir().mkpath(out);
    panels.script({out});
    alerts.script(0);
    QTest::mouseClick(view->btnProcess(), Qt::LeftButton);
    fireDelays();
    waitForEnd();
    EXPECT_EQ(testsupport::exiftool({"-s3", GetParam().tag, out + "/photo000.jpg"}).trimmed().toStdString(),
              GetParam().expected);
}

void shiftTheDateTakenAndClearTheRest(ExifEditorView& view, PresetStore&) {
    view.formActions().changeViewAccordingToMetadataOtion(ModifyEditedClearOthers);
    view.batchActions().btnDatePickerTapped(0, view.viewWithTag(250));
    view.batchActions().datePanel()->radio(DateTimeConfiguration::IncDecTime)->click();  // by 1 h 1 min 1 s
    view.batchActions().datePanel()->removeAttachedPopupWindow();
}

void emptyTheDateModifiedByAStoredPreset(ExifEditorView& view, PresetStore& presets) {
    // As the preset editor saves it: the rule, and its summary as the field's text.
    MetaDataObject preset;
    preset.name = "No modify date";
    DateTimeConfiguration rule;
    rule.tagConfigureOption = DateTimeConfiguration::EmptyValue;
    preset.dateTimeConfigModifyDate = std::make_shared<const DateTimeConfiguration>(rule);
    preset.Date_Modify = "Empty Value";
    presets.arrayPresets().append(preset);
    ASSERT_TRUE(presets.saveProjectSession());
    presets.loadPresets();
    view.formActions().btnApplyPresetTapped(0);
}

INSTANTIATE_TEST_SUITE_P(Rules, TheCopiesDates,
                         testing::Values(DateOnTheCopy{"aShiftUnderClearOthers", shiftTheDateTakenAndClearTheRest,
                                                       "-ExifIFD:DateTimeOriginal", "2010:12:12 13:42:36"},
                                         DateOnTheCopy{"anEmptyValueFromAStoredPreset",
                                                       emptyTheDateModifiedByAStoredPreset, "-IFD0:ModifyDate", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

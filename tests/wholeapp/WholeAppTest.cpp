// The whole application as a user meets it: the first launch, photos added from a folder, an applied edit
// reverted, a preset saved and applied (also over a date rule), every section of the form edited (a field
// that only shows its value included), a place picked on the map, new names, the run, its summary, the
// restore and the quit, all through the application's own windows. exiftool reads what was written.
#include "tests/wholeapp/PhotoTags.h"
#include "tests/wholeapp/RunningApplication.h"
#include "tests/wholeapp/User.h"

#include "app/AddPhotosWindow.h"
#include "app/AppDelegate.h"
#include "app/MainWindowController.h"
#include "app/QuickTourWindow.h"
#include "app/online/PromotionPanel.h"
#include "batch/DateRulePanel.h"
#include "controls/BackgroundTextField.h"
#include "controls/DisableScrollView.h"
#include "controls/IMGButton.h"
#include "controls/VLAppStoreWindow.h"
#include "editor/BatchRunScreen.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/ExifEditorView.h"
#include "editor/FormFieldTraits.h"
#include "editor/FormTextView.h"
#include "editor/GpsMapController.h"
#include "editor/ImageToggleButton.h"
#include "editor/MapViewForExtension.h"
#include "editor/MapWindow.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoRowDelegate.h"
#include "editor/PhotoTableView.h"
#include "editor/RenamingOptionsPanel.h"
#include "editor/SummaryWindow.h"
#include "model/PresetStore.h"
#include "platform/UserDefaults.h"
#include "platform/Workspace.h"
#include "presets/PresetScreens.h"
#include "presets/PresetView.h"
#include "presets/PresetsWindow.h"
#include "tests/common/TestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using wholeapp::RunningApplication;
using wholeapp::User;

namespace {

// Photos of several cameras and formats, one in a subfolder (folders are walked whole), one with a name
// beyond ASCII.
const QStringList kPhotos = {"Canon EOS 7D.jpg", "Nikon D5000.jpg", "FurnaceCreekInn.jpg",
                             "Olympus \u03bc Digital 800.JPG", "Day 2/Reagan.tiff"};

const QStringList kCheckedTags = {"-IFD0:Artist",
                                  "-ExifIFD:OwnerName",
                                  "-ExifIFD:ISO",
                                  "-ExifIFD:Flash",
                                  "-ExifIFD:ExposureTime",
                                  "-ExifIFD:LensMake",
                                  "-ExifIFD:LensModel",
                                  "-ExifIFD:DateTimeOriginal",
                                  "-GPS:GPSLatitude",
                                  "-GPS:GPSLongitude",
                                  "-GPS:GPSLatitudeRef",
                                  "-GPS:GPSAltitude",
                                  "-IPTC:City",
                                  "-IPTC:Keywords",
                                  "-IPTC:Credit",
                                  "-XMP-aux:SerialNumber",
                                  "-IFD0:Copyright",
                                  "-IFD0:ModifyDate"};
// What the form showed as each photo's own value when the run started: a date a preset left alone, a
// field the run only reads, a headline after Revert, a camera make typed over and undone.
const QStringList kKeptTags = {"-ExifIFD:CreateDate", "-ExifIFD:ApertureValue", "-IPTC:Headline", "-IFD0:Make"};

QString shiftedYear(const QString& exifDate, int years) {
    return QString::number(exifDate.left(4).toInt() + years) + exifDate.mid(4);
}

// Clicks the character at index of an edit's text, as a person aims at it.
void clickCharacter(QLineEdit* edit, int index) {
    const std::optional<QPoint> at = testsupport::characterPoint(*edit, index);
    ASSERT_TRUE(at) << "no character " << index << " in \"" << edit->text().toStdString() << '"';
    User::click(edit, *at);
}

class AUsersRun : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
        LUMARIND_REQUIRE_EXIFTOOL();
        QStringList sources;
        for (const QString& name : kPhotos) {
            const QString target = work.filePath("Holiday Photos/" + name);
            QDir().mkpath(QFileInfo(target).path());
            ASSERT_TRUE(QFile::copy(testsupport::corpusDir() + "/" + QFileInfo(name).fileName(), target));
            sourceHashes.insert(target, testsupport::fileHash(target));
            sources << target;
        }
        sourceTags = wholeapp::readTags(sources, kCheckedTags + kKeptTags);
        output = work.filePath("Processed");
        QDir().mkpath(output);
    }

    ExifEditorView& editor() { return app.editor(); }
    MainWindowController& main() { return app.mainWindow(); }
    QList<PhotoFile>& batch() { return app.delegate().arraySelectedImagesToProcess; }
    QLineEdit* field(const QString& name) { return editor().textField(name); }
    SummaryWindow* summary() { return editor().batchActions().batchScreen().summaryWindow(); }
    void chooseInList(QAbstractItemView* list, const QString& text) {
        const int row = User::rowContaining(list, text);
        ASSERT_GE(row, 0) << text.toStdString();
        User::clickRow(list, row);
    }
    // A date's rule set through its panel, opened by the date's button: the option, the parts it keeps and
    // the shift of one part; a screenshot when named, then a click outside puts the panel away.
    void shiftADate(int dateButtonTag, int option, std::initializer_list<int> kept, int shiftField,
                    const QString& amount, const QString& screenshot = {}) {
        User::click(editor().viewWithTag(dateButtonTag));
        DateTimeRulesPanel* panel = editor().batchActions().datePanel();
        ASSERT_TRUE(User::waitFor([&] { return panel->isOpen(); }, "the date panel"));
        User::click(panel->radio(option));
        for (const int box : kept) User::click(panel->keepBox(box));
        User::type(panel->shiftField(shiftField), amount);
        if (!screenshot.isEmpty()) User::screenshot(main().windowMain(), screenshot);
        User::click(editor().lblPhotosCount());
        ASSERT_TRUE(User::waitFor([&] { return !panel->isOpen(); }, "the date panel to close"));
    }
    void waitForTheSummary() {
        User::waitFor([this] { return summary()->isVisible(); }, "the summary of the run");
    }
    QHash<QString, QJsonObject> writtenTags() {
        QStringList copies;
        for (const PhotoFile& photo : batch()) copies << photo.processedPath;
        return wholeapp::readTags(copies, kCheckedTags + kKeptTags);
    }

  public:
    // The steps of the run, in order; each leaves the application where the next one begins.
    void firstLaunch();
    void addTheFolder();
    void undoATypedEdit();
    void lookAtAPhotoAndPutItAwayByEscape();
    void revertAfterApply();
    void saveAndApplyAPreset();
    void applyThePresetOverADateRule();
    void editEverySection();
    void typeADate();
    void lookAtTheFieldsThatOnlyShow();
    void pickAPlaceOnTheMap();
    void chooseNewNames();
    void runAndCheckEveryCopy();
    void restoreAndCheckEveryCopy();
    void quitThroughTheRatePromptAndThePromotionPanel();

  protected:
    QTemporaryDir work;
    QString output;
    QHash<QString, QByteArray> sourceHashes;
    QHash<QString, QJsonObject> sourceTags;
    platform::GeoCoordinate picked;
    RunningApplication app;
};

void AUsersRun::firstLaunch() {
    app.launch(true);
    ASSERT_TRUE(User::waitFor([&] { return main().winTips()->isVisible(); }, "the quick tour"));
    EXPECT_TRUE(main().winTips()->webViewTips()->toPlainText().contains("Welcome to Lumarind"));
    EXPECT_EQ(platform::UserDefaults::standardUserDefaults().string("isFirstTime"), "no");
    User::screenshot(main().windowMain(), "wholeapp-01-quick-tour");
    User::click(main().winTips()->btnClose());
    ASSERT_TRUE(User::waitFor([&] { return main().winAddPhotos()->isVisible(); }, "the add-photos window"));
    EXPECT_FALSE(editor().btnProcess()->isEnabled()) << "nothing to start without photos";
    EXPECT_FALSE(editor().btnRestore()->isEnabled()) << "nothing to restore before a run";
}

void AUsersRun::addTheFolder() {
    User::addFolder(main().winAddPhotos(), work.path(), "Holiday Photos", "wholeapp-02a-folder-chooser");
    ASSERT_TRUE(User::waitFor([&] { return batch().size() == kPhotos.size() && editor().btnProcess()->isEnabled(); },
                              "the photos"));
    EXPECT_FALSE(main().winAddPhotos()->isVisible());
    EXPECT_EQ(editor().lblPhotosCount()->text(), QStringLiteral("Photos(%1)").arg(kPhotos.size()));
    User::screenshot(main().windowMain(), "wholeapp-02-photos-added");
    // Where the photos disagree the field shows a hint in grey, not a value.
    QLineEdit* disagreeing = field("Cam_Make");
    EXPECT_TRUE(disagreeing->text().isEmpty());
    EXPECT_EQ(disagreeing->placeholderText(), "Multiple values");
    EXPECT_NE(disagreeing->palette().color(QPalette::PlaceholderText), disagreeing->palette().color(QPalette::Text));
}

// Typed over and undone, a field where the photos disagree is back at "Multiple values" and no edit: the run
// leaves each photo's camera make as it is.
void AUsersRun::undoATypedEdit() {
    QLineEdit* make = field("Cam_Make");
    User::type(make, "abc def");
    EXPECT_EQ(editor().sectionOf("Cam_Make")->borderColor("Cam_Make").name(QColor::HexArgb),
              MetadataSection::changedFieldOutline().name(QColor::HexArgb));
    QTest::keyClick(make, Qt::Key_Z, Qt::ControlModifier);
    User::settle();
    EXPECT_EQ(make->text(), "");
    EXPECT_EQ(make->placeholderText(), "Multiple values");
    EXPECT_EQ(editor().sectionOf("Cam_Make")->borderColor("Cam_Make").name(QColor::HexArgb),
              QColor(Qt::transparent).name(QColor::HexArgb));
    EXPECT_FALSE(editor().metaDataObject().isupdated_Cam_Make);
    EXPECT_FALSE(editor().editedMetaDataObject().isupdated_Cam_Make) << "no pending edit of it either";
    User::screenshot(main().windowMain(), "wholeapp-02b-typed-and-undone");
}

// The photo's metadata and its file's information, from the photo's menu: each window takes the keys when
// it opens (no window manager gives them here), so Escape puts it away. The file's information is our own
// window, so the desktop's own answers it.
void AUsersRun::lookAtAPhotoAndPutItAwayByEscape() {
    platform::Workspace::install(nullptr);
    PhotoTableView* list = editor().tblPhotos();
    for (const QString row : {"Show MetaData", "Get Info"}) {
        User::click(list->viewport(),
                    PhotoRowDelegate::moreRect(list->visualRect(list->model()->index(0, 0))).center());
        ASSERT_TRUE(editor().optionPopup()->isOpen());
        chooseInList(editor().optionPopup()->table(), row);
        QWidget* shown = nullptr;
        ASSERT_TRUE(User::waitFor(
            [&] {
                shown = QApplication::activeWindow();
                return shown && shown != main().windowMain() && shown->isVisible();
            },
            row + " to take the keys", 5000));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : shown, Qt::Key_Escape);
        ASSERT_TRUE(User::waitFor([&] { return !shown->isVisible(); }, row + " to go on Escape"));
    }
    platform::Workspace::install(&app.desktop);
}

void AUsersRun::revertAfterApply() {
    QPushButton* revert = editor().btnRevert();
    EXPECT_FALSE(revert->isEnabled()) << "nothing to revert yet";
    User::type(field("IPTC_Headline"), "A draft headline");
    User::click(editor().btnApply());
    EXPECT_TRUE(revert->isEnabled()) << "an applied form can still go back";
    User::click(revert);
    EXPECT_EQ(User::answerAlert("Yes"), "Revert changes?");
    EXPECT_EQ(field("IPTC_Headline")->text(), "") << "the photos' own headlines again";
    EXPECT_FALSE(revert->isEnabled());
    EXPECT_FALSE(editor().isParamsChanged());
}

void AUsersRun::saveAndApplyAPreset() {
    User::click(editor().btnPresets());
    ASSERT_TRUE(editor().optionPopup()->isOpen());
    chooseInList(editor().optionPopup()->table(), "Add Presets...");
    PresetsWindow* window = editor().findChild<PresetScreens*>()->presetsWindow();
    ASSERT_TRUE(User::waitFor([&] { return window->isVisible(); }, "the presets window"));
    PresetView* presets = window->presetView();
    User::click(presets->btnAddPreset());
    auto* name = presets->tblPresets()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(name, nullptr) << "the new preset's name is open for typing";
    User::type(name, "Studio credit");
    User::pressEnter(name);
    EXPECT_EQ(presets->tblPresets()->model()->index(0, 0).data().toString(), "Studio credit");
    User::type(presets->sectionOf("Copyright")->textField("Copyright"), "(c) Ada Lumen");
    User::type(presets->sectionOf("IPTC_Credit")->textField("IPTC_Credit"), "Lumen Studio");
    User::screenshot(window, "wholeapp-03-preset");
    User::click(presets->btnApplyPreset());
    ASSERT_TRUE(User::waitFor([&] { return !window->isVisible(); }, "the presets window to close"));
    EXPECT_EQ(field("Copyright")->text(), "(c) Ada Lumen");
    EXPECT_EQ(field("IPTC_Credit")->text(), "Lumen Studio");
}

// A preset brings its own date rules: the date digitized, shifted on the form, is kept again by the preset,
// and the form says so instead of the shift it no longer makes.
void AUsersRun::applyThePresetOverADateRule() {
    // Tag 251: the date digitized's button.
    ASSERT_NO_FATAL_FAILURE(shiftADate(251, DateTimeConfiguration::IncDecTime,
                                       {DateRulePanel::IncDecMinute, DateRulePanel::IncDecSecond},
                                       DateRulePanel::ShiftHour, "2"));
    QLineEdit* digitized = field("Date_Creation");
    EXPECT_EQ(digitized->text(), "Inc/Dec: Hour:2");

    ASSERT_TRUE(User::waitFor([&] { return editor().btnPresets()->isEnabled(); }, "the presets button"));
    User::click(editor().btnPresets());
    ASSERT_TRUE(editor().optionPopup()->isOpen());
    chooseInList(editor().optionPopup()->table(), "Studio credit");
    EXPECT_EQ(digitized->text(), "") << "each photo keeps its own date";
    EXPECT_EQ(digitized->placeholderText(), "Multiple values");
    EXPECT_EQ(DateRulePanel::ruleOf(editor().metaDataObject(), 1).option(), DateTimeConfiguration::KeepOriginal);
    User::screenshot(main().windowMain(), "wholeapp-03b-preset-over-a-date-rule");
    // The form's buttons come back a moment after a popup went.
    ASSERT_TRUE(User::waitFor([&] { return editor().viewWithTag(251)->isEnabled(); }, "the form's buttons"));
}

void AUsersRun::editEverySection() {
    User::type(field("Artist"), "Ada Lumen");
    EXPECT_TRUE(editor().btnApply()->isEnabled()) << "typing is an edit to apply";
    User::type(field("Cam_OwnerName"), "Ada Lumen Studio");
    User::type(field("CamSetting_ISO"), "400");
    User::click(editor().viewWithTag(50 + FormFieldTraits::forField("CamSetting_Flash")->dropdownTag));
    ASSERT_TRUE(editor().optionPopup()->isOpen());
    chooseInList(editor().optionPopup()->table(), "Off, Did not fire");
    User::type(field("AdvCamSetting_ExposureTime"), "0.004");
    User::type(field("Lens_LensMake"), "Lumar Optics");
    User::type(field("Lens_LensModel"), "Lumar 35mm f/2");
    // A pasted value is checked as a typed one is.
    QApplication::clipboard()->setText("-50");
    User::click(field("GPS_Altitude"));
    QTest::keyClick(field("GPS_Altitude"), Qt::Key_V, Qt::ControlModifier);
    User::settle();
    EXPECT_EQ(field("GPS_Altitude")->text(), "-50");
    EXPECT_TRUE(editor().errorLabel("GPS_Altitude")->isVisible()) << "the live message of a pasted value";
    User::type(field("GPS_Altitude"), "35");
    EXPECT_FALSE(editor().errorLabel("GPS_Altitude")->isVisible());
    User::type(field("IPTC_City"), "Lyon");
    FormTextView* keywords = editor().sectionOf("IPTC_Keywords")->textView("IPTC_Keywords");
    User::click(keywords);
    QTest::keyClicks(keywords, "sea,sun");
    User::type(field("XMP_SerialNumber"), "XMP-0042");
    // The aperture value and the XMP keywords are only read: what a person types there does not land.
    User::tryToType(field("CamSetting_Aperture"), "f/9");
    User::tryToType(editor().sectionOf("XMP_Keyword")->textView("XMP_Keyword"), "refused");
    EXPECT_EQ(field("CamSetting_Aperture")->text(), "");
    EXPECT_EQ(editor().metaDataObject().CamSetting_Aperture + editor().metaDataObject().XMP_Keyword, "");

    // The date taken moves a year on, in every photo from its own date (tag 250: the first date's button).
    shiftADate(250, DateTimeConfiguration::IncDecDate, {DateRulePanel::IncDecDay, DateRulePanel::IncDecMonth},
               DateRulePanel::ShiftYear, "1", "wholeapp-04-date-rule");
}

// The date modified set in "Select Date" by typing its day, month name and year where the person clicks.
void AUsersRun::typeADate() {
    // The form's buttons come back a moment after the last panel went; tag 252 is the date modified's button.
    ASSERT_TRUE(User::waitFor([&] { return editor().viewWithTag(252)->isEnabled(); }, "the form's buttons"));
    User::click(editor().viewWithTag(252));
    DateTimeRulesPanel* panel = editor().batchActions().datePanel();
    ASSERT_TRUE(User::waitFor([&] { return panel->isOpen(); }, "the date panel"));
    User::click(panel->radio(DateTimeConfiguration::SelectDate));
    QDateTimeEdit* picker = panel->datePicker();
    auto* text = picker->findChild<QLineEdit*>();
    ASSERT_NE(text, nullptr);
    // "Mmm dd, yyyy  hh:mm:ss AP": the day from 4, the month from 0, the year from 8.
    const struct {
        int at;
        const char* typed;
    } parts[] = {{5, "15"}, {1, "Mar"}, {10, "2021"}};
    for (const auto& part : parts) {
        clickCharacter(text, part.at);
        QTest::keyClicks(picker, QString::fromLatin1(part.typed));
    }
    User::settle();
    EXPECT_EQ(picker->date().toString(Qt::ISODate), "2021-03-15") << text->text().toStdString();
    User::screenshot(main().windowMain(), "wholeapp-04b-typed-date");
    User::click(editor().lblPhotosCount());
    ASSERT_TRUE(User::waitFor([&] { return !panel->isOpen(); }, "the date panel to close"));
    EXPECT_TRUE(field("Date_Modify")->text().startsWith("Mar 15,2021")) << field("Date_Modify")->text().toStdString();
}

// The GPS direction and date stamp show the photos' values as the other fields the form only shows do.
void AUsersRun::lookAtTheFieldsThatOnlyShow() {
    for (const char* name : {"GPS_ImgDirection", "GPS_DateStamp"}) {
        QLineEdit* shown = field(name);
        EXPECT_EQ(shown->toolTip(), "Shown as the photos hold it; it cannot be edited here.") << name;
        EXPECT_EQ(shown->palette().color(QPalette::Text), field("CamSetting_Aperture")->palette().color(QPalette::Text))
            << name;
        EXPECT_EQ(static_cast<BackgroundTextField*>(shown)->fillColor(),
                  static_cast<BackgroundTextField*>(field("CamSetting_Aperture"))->fillColor())
            << name;
        User::tryToType(shown, "9");
        EXPECT_EQ(editor().metaDataObject().*(FormFieldTraits::forField(name)->row->field), "") << name;
    }
    EXPECT_TRUE(main().windowMain()->testAttribute(Qt::WA_AlwaysShowToolTips))
        << "the tool tips explain also when no window manager made the window active";
    editor().scrollViewExifData()->ensureWidgetVisible(field("GPS_DateStamp"), 10, 120);
    User::screenshot(main().windowMain(), "wholeapp-06b-fields-that-only-show");
}

void AUsersRun::pickAPlaceOnTheMap() {
    User::click(editor().btnShowMap());
    MapWindow* map = editor().formActions().gpsMap().winMapview();
    ASSERT_TRUE(User::waitFor([&] { return map->isVisible(); }, "the map"));
    MapViewForExtension* picker = map->mapviewRef();
    User::type(picker->txtSearched(), "Paris");
    User::pressEnter(picker->txtSearched());
    ASSERT_TRUE(User::waitFor([&] { return picker->attachedPopUpWindow() != nullptr; }, "places found"));
    User::screenshot(map, "wholeapp-05-map-search");
    chooseInList(picker->tblPopupOptions(), "France");
    picked = picker->updatedLocationCord();
    EXPECT_NEAR(picked.latitude, 48.85, 0.1);
    EXPECT_NEAR(picked.longitude, 2.35, 0.1);
    map->close();  // the window's close button
    ASSERT_TRUE(User::waitFor([&] { return !map->isVisible(); }, "the map to close"));
    EXPECT_FALSE(field("GPS_Lattitude")->text().isEmpty());
    EXPECT_FALSE(app.tiles.requestedPaths.isEmpty()) << "the map's tiles come from the loopback server";
    EXPECT_TRUE(editor().isParamsChanged());
    EXPECT_EQ(field("Copyright")->text(), "(c) Ada Lumen") << "edits keep the preset's values";
    User::screenshot(main().windowMain(), "wholeapp-06-form-edited");
}

void AUsersRun::chooseNewNames() {
    User::click(editor().btnNext());
    RenamingOptionsPanel* page = editor().batchActions().renamingPage();
    ASSERT_TRUE(User::waitFor([&] { return page->isVisible(); }, "the renaming page"));
    User::click(page->btnEditOriginalName());
    User::click(page->partBox(RenamingPage::AddStringPart));
    User::type(page->txtAddPrefixString(), "trip_");
    User::click(page->partBox(RenamingPage::ExifDatePart));
    User::click(page->partBox(RenamingPage::LocationPart));
    User::screenshot(main().windowMain(), "wholeapp-07-renaming");
    // At the window's smallest size the page fits the form it covers: Back is in sight without scrolling.
    auto* area = page->findChild<QScrollArea*>();
    EXPECT_LE(area->widget()->minimumSizeHint().width(), area->viewport()->width());
    EXPECT_TRUE(area->viewport()->rect().contains(
        QRect(page->btnBack()->mapTo(area->viewport(), QPoint()), page->btnBack()->size())));
    User::click(page->btnBack());
    ASSERT_TRUE(User::waitFor([&] { return !page->isVisible(); }, "the renaming page to close"));
    QWidget* notice = editor().batchActions().vwRenameToast();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_GE(notice->width(), notice->sizeHint().width()) << "the renaming notice shows its whole text";
}

void AUsersRun::runAndCheckEveryCopy() {
    User::click(editor().btnProcess());
    User::chooseFolderInPanel(output);
    EXPECT_EQ(User::answerAlert("Yes"), "START PROCESS");
    waitForTheSummary();
    User::screenshot(summary(), "wholeapp-08-summary");
    EXPECT_EQ(summary()->lblSummaryTitle()->text(), "Batch Process Finished");
    EXPECT_EQ(summary()->lblPhotoProcessedSummary()->text(), QString::number(kPhotos.size()));
    EXPECT_FALSE(summary()->lblErrorsSummary()->isVisible()) << "nothing failed, nothing to list";
    User::click(summary()->btnClose());

    const QHash<QString, QJsonObject> written = writtenTags();
    for (const PhotoFile& photo : batch()) {
        SCOPED_TRACE(photo.filePath.toStdString());
        ASSERT_EQ(QFileInfo(photo.processedPath).path(), output);
        const QString taken =
            shiftedYear(sourceTags.value(photo.filePath).value("ExifIFD:DateTimeOriginal").toString(), 1);
        // The date taken as written (ddMMyyyy) before the text, the place after the old name.
        const QString date = taken.mid(8, 2) + taken.mid(5, 2) + taken.left(4);
        const QString name = QFileInfo(photo.processedPath).fileName();
        EXPECT_TRUE(name.startsWith(date + "trip_" + QFileInfo(photo.filePath).completeBaseName() + "Paris"))
            << name.toStdString();
        const QJsonObject tags = written.value(photo.processedPath);
        EXPECT_EQ(tags["IFD0:Artist"].toString(), "Ada Lumen");
        EXPECT_EQ(tags["ExifIFD:OwnerName"].toString(), "Ada Lumen Studio");
        EXPECT_EQ(tags["ExifIFD:ISO"].toInt(), 400);
        EXPECT_EQ(tags["ExifIFD:Flash"].toInt(), 16) << "off, did not fire";
        EXPECT_DOUBLE_EQ(tags["ExifIFD:ExposureTime"].toDouble(), 0.004);
        EXPECT_EQ(tags["ExifIFD:LensMake"].toString(), "Lumar Optics");
        EXPECT_EQ(tags["ExifIFD:LensModel"].toString(), "Lumar 35mm f/2");
        EXPECT_EQ(tags["ExifIFD:DateTimeOriginal"].toString(), taken);
        for (const QString& kept : kKeptTags) {
            const QString tag = kept.mid(1);
            EXPECT_EQ(tags.value(tag).toVariant().toString(),
                      sourceTags.value(photo.filePath).value(tag).toVariant().toString())
                << tag.toStdString();
        }
        EXPECT_NEAR(tags["GPS:GPSLatitude"].toDouble(), picked.latitude, 1e-4);
        EXPECT_NEAR(tags["GPS:GPSLongitude"].toDouble(), picked.longitude, 1e-4);
        EXPECT_EQ(tags["GPS:GPSLatitudeRef"].toString(), "N");
        EXPECT_DOUBLE_EQ(tags["GPS:GPSAltitude"].toDouble(), 35);
        EXPECT_EQ(tags["IPTC:City"].toString(), "Lyon");
        EXPECT_EQ(tags["IPTC:Keywords"].toVariant().toStringList(), QStringList({"sea", "sun"}));
        EXPECT_EQ(tags["IPTC:Credit"].toString(), "Lumen Studio");
        EXPECT_EQ(tags["IFD0:Copyright"].toString(), "(c) Ada Lumen");
        EXPECT_EQ(tags["XMP-aux:SerialNumber"].toString(), "XMP-0042");
        EXPECT_TRUE(tags["IFD0:ModifyDate"].toString().startsWith("2021:03:15 "))
            << tags["IFD0:ModifyDate"].toString().toStdString();
    }
}

void AUsersRun::restoreAndCheckEveryCopy() {
    User::click(editor().btnRestore());
    EXPECT_EQ(User::answerAlert("Yes"), "RESTORE EXIF DATA");
    waitForTheSummary();
    User::screenshot(summary(), "wholeapp-09-restore-summary");
    EXPECT_FALSE(summary()->lblErrorsSummary()->isVisible()) << summary()->lblErrorsSummary()->text().toStdString();
    User::click(summary()->btnClose());
    const QHash<QString, QJsonObject> written = writtenTags();
    for (const PhotoFile& photo : batch()) {
        for (const char* tag : {"IFD0:Artist", "ExifIFD:OwnerName", "ExifIFD:LensMake", "IPTC:City",
                                "ExifIFD:DateTimeOriginal", "IFD0:Copyright", "XMP-aux:SerialNumber"})
            EXPECT_EQ(written.value(photo.processedPath).value(tag), sourceTags.value(photo.filePath).value(tag))
                << photo.filePath.toStdString() << " " << tag;
    }
    EXPECT_EQ(QDir(output).entryList(QDir::Files).size(), kPhotos.size()) << "restore rewrites the same copies";
    for (auto it = sourceHashes.cbegin(); it != sourceHashes.cend(); ++it)
        EXPECT_EQ(testsupport::fileHash(it.key()), it.value()) << "source changed: " << it.key().toStdString();
}

void AUsersRun::quitThroughTheRatePromptAndThePromotionPanel() {
    User::click(main().btnCloseWindow());
    QMessageBox* prompt = User::alert();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->text(), "Enjoying Lumarind?");
    User::click(prompt->checkBox());
    // No window manager gives the prompt the keys here: it takes them itself, and Escape puts it away.
    ASSERT_TRUE(
        User::waitFor([&] { return QApplication::activeWindow() == prompt; }, "the prompt to take the keys", 5000));
    const QPointer<QMessageBox> shownPrompt(prompt);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : prompt, Qt::Key_Escape);
    ASSERT_TRUE(User::waitFor([&] { return !shownPrompt || !shownPrompt->isVisible(); }, "the prompt to go on Escape"));
    PromotionPanel* panel = nullptr;
    ASSERT_TRUE(
        User::waitFor([&] { return (panel = User::shownWindow<PromotionPanel>()) != nullptr; }, "the promotion panel"));
    EXPECT_FALSE(main().windowMain()->isVisible());
    User::screenshot(panel, "wholeapp-10-promotion");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((panel->geometry().center() - screen.center()).manhattanLength(), 4) << "in the middle of the screen";
    User::click(panel->outlets().btnCheckDontShow);
    User::click(panel->outlets().btnQuit);
    ASSERT_TRUE(User::waitFor([&] { return app.terminations() == 1; }, "the application to end"));

    platform::UserDefaults& defaults = platform::UserDefaults::standardUserDefaults();
    EXPECT_TRUE(defaults.boolValue("notShowPromotionWindow"));
    EXPECT_FALSE(defaults.string("appVersion").isEmpty()) << "the rate prompt is not asked again";
    PresetStore stored(defaults);
    stored.loadPresets();
    ASSERT_EQ(stored.arrayPresets().size(), 1);
    EXPECT_EQ(stored.arrayPresets().first().name, "Studio credit");
    EXPECT_EQ(stored.arrayPresets().first().IPTC_Credit, "Lumen Studio");
    EXPECT_EQ(app.services.requests.size(), 1) << "only the support-phone file is fetched, from loopback";
}

TEST_F(AUsersRun, editsEverySectionWritesRenamedCopiesRestoresThemAndQuits) {
    for (void (AUsersRun::*step)() :
         {&AUsersRun::firstLaunch, &AUsersRun::addTheFolder, &AUsersRun::lookAtAPhotoAndPutItAwayByEscape,
          &AUsersRun::revertAfterApply, &AUsersRun::saveAndApplyAPreset, &AUsersRun::applyThePresetOverADateRule,
          &AUsersRun::undoATypedEdit, &AUsersRun::editEverySection, &AUsersRun::typeADate,
          &AUsersRun::lookAtTheFieldsThatOnlyShow, &AUsersRun::pickAPlaceOnTheMap, &AUsersRun::chooseNewNames,
          &AUsersRun::runAndCheckEveryCopy, &AUsersRun::restoreAndCheckEveryCopy,
          &AUsersRun::quitThroughTheRatePromptAndThePromotionPanel}) {
        (this->*step)();
        if (HasFatalFailure()) return;
    }
}

// Launches the application and adds a folder holding one camera photo through the add-photos window.
void launchOverOnePhoto(const QTemporaryDir& work, std::unique_ptr<RunningApplication>& app) {
    QDir().mkpath(work.filePath("Photos"));
    ASSERT_TRUE(QFile::copy(testsupport::corpusDir() + "/Reagan.jpg", work.filePath("Photos/Reagan.jpg")));
    app = std::make_unique<RunningApplication>();
    app->launch(false);
    ASSERT_TRUE(User::waitFor([&] { return app->mainWindow().winAddPhotos()->isVisible(); }, "the add-photos window"));
    User::addFolder(app->mainWindow().winAddPhotos(), work.path(), "Photos");
    ASSERT_TRUE(User::waitFor([&] { return app->editor().btnProcess()->isEnabled(); }, "the photo"));
}

// The run can end while a list popup that was just closed still waits for its deletion (a choice, then
// Quit): the screen goes with it, and so must the popup's list, without being handed back into it.
TEST(AnEndingApplication, goesCleanlyRightAfterAListWasClosed) {
    if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
    QTemporaryDir work;
    std::unique_ptr<RunningApplication> app;
    launchOverOnePhoto(work, app);
    if (HasFatalFailure()) return;
    ExifEditorView& editor = app->editor();
    User::click(editor.viewWithTag(50 + FormFieldTraits::forField("CamSetting_Flash")->dropdownTag));
    User::clickRow(editor.optionPopup()->table(), 3);
    User::type(editor.textField("AdvCamSetting_ExposureTime"), "1/250");
    User::click(editor.btnApply());
    EXPECT_EQ(User::alert()->text(), "ERRORS FOUND");
    app.reset();
}

// A position beyond the poles or the date line: the form says so under the field as it is typed, and Start
// stops at that field instead of writing copies that quietly lack the position.
TEST(AFormWithAPositionOffTheGlobe, stopsStartAtTheFieldThatHoldsIt) {
    if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
    QTemporaryDir work;
    std::unique_ptr<RunningApplication> app;
    launchOverOnePhoto(work, app);
    if (HasFatalFailure()) return;
    ExifEditorView& editor = app->editor();
    User::type(editor.textField("GPS_Longitude"), "500.5");
    EXPECT_TRUE(editor.errorLabel("GPS_Longitude")->isVisible());
    EXPECT_EQ(editor.errorLabel("GPS_Longitude")->text(), "* Value cannot be greater than 180");
    User::type(editor.textField("GPS_Lattitude"), "200");
    EXPECT_EQ(editor.errorLabel("GPS_Lattitude")->text(), "* Value cannot be greater than 90");
    editor.scrollViewExifData()->verticalScrollBar()->setValue(0);
    ASSERT_TRUE(editor.textField("GPS_Lattitude")->visibleRegion().isEmpty()) << "the field is out of sight";

    User::click(editor.btnProcess());

    const QMessageBox* alert = User::alert();
    ASSERT_NE(alert, nullptr) << "Start went on";
    EXPECT_EQ(alert->text(), "ERRORS FOUND");
    EXPECT_FALSE(editor.textField("GPS_Lattitude")->visibleRegion().isEmpty()) << "the form shows the field";
    EXPECT_TRUE(editor.errorLabel("GPS_Lattitude")->isVisible());
    User::answerAlert("OK");
    EXPECT_EQ(User::shownWindow<QFileDialog>(), nullptr) << "no destination is asked for";
    app.reset();
}

}  // namespace

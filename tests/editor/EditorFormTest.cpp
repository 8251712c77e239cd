#include "batch/DateRulePanel.h"
#include "controls/BackgroundTextField.h"
#include "controls/DisableScrollView.h"
#include "editor/DateTimeRulesPanel.h"
#include "editor/EditingOptionSection.h"
#include "editor/EditorBatchActions.h"
#include "editor/EditorFormActions.h"
#include "editor/FieldValidation.h"
#include "editor/FormTextView.h"
#include "editor/ImageToggleButton.h"
#include "editor/MetadataSection.h"
#include "editor/OptionPopup.h"
#include "editor/PhotoTableModel.h"
#include "editor/PhotoTableView.h"
#include "editor/SelectionReload.h"
#include "intake/PhotoIntake.h"
#include "model/PresetStore.h"
#include "tests/common/EditRecords.h"
#include "tests/common/TestSupport.h"
#include "tests/controls/ManualTimer.h"
#include "tests/editor/EditorFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <memory>

namespace {

class AForm : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        addAndWait({makeFolder(3)});
    }
    QColor border(const char* field) { return view->sectionOf(field)->borderColor(field); }
    void chooseInPopup(int row) {
        QListView* table = view->optionPopup()->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(row, 0)).center());
        settle();
    }
    void openDropDown(int tag) {
        QTest::mouseClick(static_cast<QToolButton*>(view->viewWithTag(50 + tag)), Qt::LeftButton);
    }
};

TEST_F(AForm, storesTypedTextCutToItsLimitInTheFormAndThePendingEdits) {
    QLineEdit* artist = view->textField("Artist");
    EXPECT_EQ(artist->placeholderText(), "Multiple values");
    QTest::keyClicks(artist, QString(151, u'a'));
    EXPECT_EQ(artist->text().size(), 150);
    for (const MetaDataObject* record : {&view->metaDataObject(), &view->editedMetaDataObject()}) {
        EXPECT_EQ(record->Artist, QString(150, u'a'));
        EXPECT_TRUE(record->isupdated_Artist);
    }
    EXPECT_TRUE(view->isEditedMetadataObject());
    EXPECT_TRUE(view->isParamsChanged());
    EXPECT_TRUE(view->btnReset()->isEnabled());
    EXPECT_EQ(artist->placeholderText(), "");
    EXPECT_EQ(border("Artist"), MetadataSection::changedFieldOutline());
    EXPECT_EQ(border("Copyright"), QColor(Qt::transparent));
    EXPECT_EQ(view->viewWithTag(701), artist);
}

struct TypingCase {
    const char* field;
    const char* typed;
    const char* kept;  // what the field holds after the formatter
    bool errorShown;
    const char* message;  // the error label's text; "" : not looked at
    friend void PrintTo(const TypingCase& row, std::ostream* os) {
        *os << row.field << " typed \"" << row.typed << '"';
    }
};

class TypingIntoANumberField : public AForm, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingIntoANumberField, keepsOnlyWhatItsFormatterTakesAndFlagsWhatCannotBeWritten) {
    const TypingCase& c = GetParam();
    QLineEdit* field = view->textField(c.field);
    QTest::keyClicks(field, QLatin1String(c.typed));
    EXPECT_EQ(field->text(), QLatin1String(c.kept));
    EXPECT_EQ(view->metaDataObject().*(MetadataKeyTable::rowForField(c.field)->field), QLatin1String(c.kept));
    QLabel* error = view->errorLabel(c.field);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->isVisibleTo(view.get()), c.errorShown);
    if (*c.message) {
        EXPECT_EQ(error->text(), QLatin1String(c.message));
    }
    view->hideAllErrorLabels();
    EXPECT_FALSE(error->isVisibleTo(view.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypingIntoANumberField,
    ::testing::Values(TypingCase{"CamSetting_ISO", "70000", "70000", true, "* Value cannot be greater than 65535"},
                      TypingCase{"CamSetting_ISO", "65535", "65535", false, ""},
                      TypingCase{"CamSetting_ISO", "0", "", false, ""},
                      TypingCase{"AdvCamSetting_WhiteBalance", "0", "0", false, ""},
                      TypingCase{"AdvCamSetting_Sharpness", "02", "0", false, ""},
                      TypingCase{"CamSetting_FNumber", "abc", "abc", true, ""},
                      TypingCase{"CamSetting_FNumber", "5.6", "5.6", false, ""},
                      TypingCase{"GPS_Altitude", "1,5", "1,5", false, ""}),
    [](const auto& info) { return std::string(info.param.field) + "_" + std::to_string(info.index); });

// A paste, whichever way it comes, is checked as typing is: the live message shows and the value is stored.
struct PasteCase {
    const char* name;
    void (*paste)(QLineEdit* field);
};

void PrintTo(const PasteCase& c, std::ostream* os) {
    *os << c.name;
}

class APaste : public AForm, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(APaste, isCheckedLikeTyping) {
    QLineEdit* altitude = view->textField("GPS_Altitude");
    QApplication::clipboard()->setText(QStringLiteral("-50"));
    altitude->setFocus();
    GetParam().paste(altitude);
    settle();
    EXPECT_EQ(altitude->text(), QStringLiteral("-50"));
    EXPECT_EQ(view->metaDataObject().GPS_Altitude, QStringLiteral("-50"));
    QLabel* error = view->errorLabel("GPS_Altitude");
    EXPECT_TRUE(error->isVisibleTo(view.get())) << "the live message, as for a typed \"-\"";
    EXPECT_EQ(error->text(), FieldValidation::numericOnlyMessage());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, APaste,
    ::testing::Values(PasteCase{"controlV", [](QLineEdit* f) { QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier); }},
                      PasteCase{"contextMenu",
                                [](QLineEdit* f) {
                                    std::unique_ptr<QMenu> menu(f->createStandardContextMenu());
                                    for (QAction* action : menu->actions()) {
                                        if (action->text().remove(u'&').startsWith(QLatin1String("Paste")))
                                            action->trigger();
                                    }
                                }},
                      PasteCase{"drop",
                                [](QLineEdit* f) {
                                    QMimeData data;
                                    data.setText(QApplication::clipboard()->text());
                                    const QPoint at = f->rect().center();
                                    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                                    QCoreApplication::sendEvent(f, &enter);
                                    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
                                    QCoreApplication::sendEvent(f, &drop);
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

// A field's text brought back to what the field showed before editing is no edit at all; a field emptied on
// purpose stays one and says that the run clears it.
struct WayBackCase {
    const char* name;
    const char* field;  // Artist differs between the photos, Cam_Make they share
    std::function<void(QLineEdit*)> steps;
    const char* text;
    const char* placeholder;
    bool edited;  // outlined, flagged in the form and the pending edits, unsaved
};

void PrintTo(const WayBackCase& c, std::ostream* os) {
    *os << c.name;
}

void retype(QLineEdit* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

class AFieldsWayBack : public AForm, public ::testing::WithParamInterface<WayBackCase> {};

TEST_P(AFieldsWayBack, takesTheEditBackOrSaysTheRunClearsTheField) {
    const WayBackCase& c = GetParam();
    QLineEdit* field = view->textField(c.field);
    field->setFocus();
    c.steps(field);
    settle();
    const MetadataKeyRow& row = *MetadataKeyTable::rowForField(c.field);
    EXPECT_EQ(field->text(), QString::fromLatin1(c.text));
    // A placeholder is seen only in an empty field.
    EXPECT_EQ(field->text().isEmpty() ? field->placeholderText() : QString(), QString::fromLatin1(c.placeholder));
    const QColor outline = c.edited ? MetadataSection::changedFieldOutline() : QColor(Qt::transparent);
    EXPECT_EQ(border(c.field).name(QColor::HexArgb), outline.name(QColor::HexArgb));
    EXPECT_EQ(view->metaDataObject().*row.updated, c.edited);
    EXPECT_EQ(view->editedMetaDataObject().*row.updated, c.edited);
    EXPECT_EQ(view->isEditedMetadataObject(), c.edited);
    EXPECT_EQ(view->isParamsChanged(), c.edited);
    EXPECT_EQ(view->btnReset()->isEnabled(), c.edited);
    // The next selection lays on only what is still an edit.
    tick({0, 1});
    EXPECT_EQ(view->metaDataObject().*row.updated, c.edited);
}

INSTANTIATE_TEST_SUITE_P(Cases, AFieldsWayBack,
                         ::testing::Values(WayBackCase{"undone", "Artist",
                                                       [](QLineEdit* f) {
                                                           QTest::keyClicks(f, "abc def");
                                                           QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
                                                       },
                                                       "", "Multiple values", false},
                                           WayBackCase{"typedAgain", "Cam_Make",
                                                       [](QLineEdit* f) {
                                                           retype(f, "Other");
                                                           retype(f, "Lumarind Camera");
                                                       },
                                                       "Lumarind Camera", "", false},
                                           WayBackCase{"emptiedOnPurpose", "Cam_Make",
                                                       [](QLineEdit* f) {
                                                           QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
                                                           QTest::keyClick(f, Qt::Key_Backspace);
                                                       },
                                                       "", "Will be cleared", true},
                                           WayBackCase{"emptyingUndone", "Cam_Make",
                                                       [](QLineEdit* f) {
                                                           QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
                                                           QTest::keyClick(f, Qt::Key_Backspace);
                                                           QTest::keyClick(f, Qt::Key_Z, Qt::ControlModifier);
                                                       },
                                                       "Lumarind Camera", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AForm, takesACodedValueFromItsListAndActsOnEveryClick) {
    openDropDown(0);
    OptionPopup* popup = view->optionPopup();
    ASSERT_TRUE(popup->isOpen());
    EXPECT_EQ(popup->rows().size(), 28);
    EXPECT_EQ(popup->view()->height(), 186);
    EXPECT_FALSE(view->scrollViewExifData()->scrollingEnabled());
    EXPECT_FALSE(static_cast<QWidget*>(view->viewWithTag(51))->isEnabled());
    chooseInPopup(15);
    EXPECT_FALSE(popup->isOpen());
    EXPECT_FALSE(popup->isWatchingClicks());
    EXPECT_TRUE(view->scrollViewExifData()->scrollingEnabled());
    EXPECT_TRUE(static_cast<QWidget*>(view->viewWithTag(51))->isEnabled());
    EXPECT_EQ(view->textField("CamSetting_Flash")->text(), "No Flash");
    EXPECT_EQ(view->metaDataObject().CamSetting_Flash, "0");
    EXPECT_TRUE(view->editedMetaDataObject().isupdated_CamSetting_Flash);
    EXPECT_EQ(border("CamSetting_Flash"), MetadataSection::changedFieldOutline());

    // "Leave Blank", chosen twice in a row: each click counts.
    for (int round = 0; round < 2; ++round) {
        view->session().editField(*MetadataKeyTable::rowForField("CamSetting_Flash"), "24");
        openDropDown(0);
        chooseInPopup(0);
        EXPECT_EQ(view->metaDataObject().CamSetting_Flash, "Leave Blank") << round;
        EXPECT_EQ(view->editedMetaDataObject().CamSetting_Flash, "Leave Blank");
        EXPECT_EQ(view->textField("CamSetting_Flash")->text(), "");
        EXPECT_EQ(view->textField("CamSetting_Flash")->placeholderText(), "");
    }

    // The countries list, and a short list's height.
    openDropDown(14);
    EXPECT_EQ(popup->rows().first(), "Leave Blank");
    EXPECT_GT(popup->rows().size(), 200);
    chooseInPopup(popup->rows().indexOf("Norway"));
    EXPECT_EQ(view->metaDataObject().IPTC_CountryPrimaryLocationCode, "NOR");
    EXPECT_EQ(view->metaDataObject().IPTC_CountryPrimaryLocationName, "");
    openDropDown(10);
    EXPECT_EQ(popup->view()->height(), 96);
}

TEST_F(AForm, closesItsPopupOnAClickOutsideThatStillReachesItsTarget) {
    for (int round = 0; round < 3; ++round) {
        openDropDown(1);
        ASSERT_TRUE(view->optionPopup()->isOpen());
        EXPECT_TRUE(view->optionPopup()->isWatchingClicks());
        // A press inside the popup, off its rows, leaves it open.
        QTest::mouseClick(view->optionPopup()->view(), Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_TRUE(view->optionPopup()->isOpen());
        chooseInPopup(1);
    }
    openDropDown(1);
    // The click on Add closes the list and opens the add menu in its place.
    QTest::mouseClick(view->btnAddPhoto(), Qt::LeftButton);
    settle();
    EXPECT_TRUE(view->optionPopup()->isOpen());
    EXPECT_EQ(view->flagCurrentAttachPopupType(), 17);
    QTest::mouseClick(view->lblPhotosCount(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(view->optionPopup()->isOpen());
    EXPECT_FALSE(view->optionPopup()->isWatchingClicks());
}

TEST_F(AForm, carriesPendingEditsToTheNextSelectionAndEmptiesForNone) {
    tick({0});
    EXPECT_EQ(view->textField("Artist")->text(), "photo000");
    QTest::keyClicks(view->textField("Copyright"), "(c) Ann");
    tick({1});
    EXPECT_EQ(view->textField("Artist")->text(), "photo001");
    EXPECT_EQ(view->textField("Copyright")->text(), "(c) Ann");
    EXPECT_EQ(border("Copyright"), MetadataSection::changedFieldOutline());
    EXPECT_TRUE(view->isParamsChanged());
    EXPECT_EQ(selection.Copyright, "");  // the shared selection record holds the merge, not the edit

    tick({});
    EXPECT_EQ(view->textField("Copyright")->text(), "");
    EXPECT_EQ(view->textField("Cam_Make")->text(), "");
    EXPECT_EQ(border("Copyright"), MetadataSection::changedFieldOutline());
    EXPECT_FALSE(view->btnProcess()->isEnabled());
    EXPECT_FALSE(view->btnRemovePhoto()->isEnabled());
    EXPECT_FALSE(view->btnPresets()->isEnabled());
    EXPECT_FALSE(view->textField("Artist")->isEnabled());
    EXPECT_FALSE(view->btnRestore()->isEnabled());
    // A list opened and closed meanwhile leaves the switched-off form's buttons off.
    view->btnAddPhotosTapped();
    view->removeAttachedPopupWindow();
    settle();
    EXPECT_FALSE(view->viewWithTag(50)->isEnabled());
}

TEST_F(AForm, showsOnlyTheLatestOfOverlappingReloads) {
    std::vector<std::function<void()>> merges;
    view->selectionReload().setExecutor([&](std::function<void()> work) { merges.push_back(std::move(work)); });
    tick({0});
    tick({2});
    ASSERT_EQ(merges.size(), 2u);
    merges[1]();
    merges[0]();
    settle();
    EXPECT_EQ(view->textField("Artist")->text(), "photo002");
    EXPECT_EQ(selection.Artist, "photo002");

    // Unticking everything outdates a merge still under way.
    tick({1});
    tick({});
    merges.back()();
    settle();
    EXPECT_EQ(view->textField("Artist")->text(), "");
    EXPECT_EQ(selection.Artist, "");
}

TEST_F(AForm, followsTheFormsOwnRecordForTheEditingOptionAndSwitches) {
    MetaDataObject shown;
    shown.editingOption = CleanMetadataInfo;
    shown.clearExif = true;
    view->session().setClearSwitch(MetadataClearSwitch::IPTC, true);
    view->updateTextFieldsValues(shown);
    EditingOptionSection* option = view->editingOptionSection();
    EXPECT_EQ(option->txtMetaDataEditingOption()->text(), "Only modify fields that I edit and keep others as it is");
    EXPECT_FALSE(option->clearCheck(MetadataClearSwitch::Exif)->isChecked());
    EXPECT_TRUE(option->clearCheck(MetadataClearSwitch::IPTC)->isChecked());
}

TEST_F(AForm, savesTheCommentViewAndLetsAFullViewShrink) {
    FormTextView* comment = view->sectionOf("UserComment")->textView("UserComment");
    comment->setFocus();
    QTest::keyClicks(comment, "hello");
    settle();
    EXPECT_EQ(view->metaDataObject().UserComment, "hello");
    EXPECT_TRUE(view->editedMetaDataObject().isupdated_UserComment);
    EXPECT_EQ(border("UserComment"), MetadataSection::changedFieldOutline());

    FormTextView limited(5);
    limited.showText("abcdefgh");
    limited.moveCursor(QTextCursor::End);
    QTest::keyClick(&limited, Qt::Key_Backspace);
    EXPECT_EQ(limited.toPlainText(), "abcdefg");
    QTest::keyClicks(&limited, "x");
    EXPECT_EQ(limited.toPlainText(), "abcdefg");
    limited.showText("ab");
    limited.moveCursor(QTextCursor::End);
    QTest::keyClicks(&limited, "cdefg");
    EXPECT_EQ(limited.toPlainText(), "abcde");
}

TEST_F(AForm, landsAThumbnailOnlyOnTheRowOfItsPhotoAndTellsClicksApart) {
    PhotoTableModel* model = view->photoModel();
    EXPECT_FALSE(model->thumbnailArrived(0, batch.at(1).filePath));
    EXPECT_TRUE(model->thumbnailArrived(1, batch.at(1).filePath));

    auto timer = std::make_unique<ManualTimer>();
    ManualTimer* clicks = timer.get();
    view->tblPhotos()->setClickTimer(std::move(timer));
    QList<int> clicked;
    QObject::connect(view.get(), &ExifEditorView::photoRowClicked, [&clicked](int row) { clicked.append(row); });
    const QPoint second = view->tblPhotos()->visualRect(model->index(1, 0)).center();
    QTest::mouseClick(view->tblPhotos()->viewport(), Qt::LeftButton, {}, second);
    EXPECT_TRUE(clicked.isEmpty());
    clicks->fire();
    EXPECT_EQ(clicked, QList<int>({1}));
    QTest::mouseDClick(view->tblPhotos()->viewport(), Qt::LeftButton, {}, second);
    clicks->fire();
    EXPECT_EQ(clicked, QList<int>({1}));
    EXPECT_TRUE(view->winMetadataPopup()->isVisible());
    view->removeInfoPopupWindow();
}

// Clicks the character at index of an edit's text, as a person aims at it.
void clickCharacter(QLineEdit* edit, int index) {
    const std::optional<QPoint> at = testsupport::characterPoint(*edit, index);
    ASSERT_TRUE(at) << "no character " << index << " in \"" << edit->text().toStdString() << '"';
    QTest::mouseClick(edit, Qt::LeftButton, {}, *at);
}

// "Select Date" takes a typed day, month name and year where the user clicks, held to the picker's range and
// checked as the arrows' steps are.
TEST_F(AForm, takesADayMonthNameAndYearTypedIntoSelectDate) {
    QTest::mouseClick(static_cast<QToolButton*>(view->viewWithTag(250)), Qt::LeftButton);
    DateTimeRulesPanel* panel = view->batchActions().datePanel();
    ASSERT_TRUE(panel->isOpen());
    QTest::mouseClick(panel->radio(DateTimeConfiguration::SelectDate), Qt::LeftButton);
    QDateTimeEdit* picker = panel->datePicker();
    picker->setDateTime(QDateTime(QDate(2019, 7, 10), QTime(20, 30, 5), Qt::UTC));
    auto* text = picker->findChild<QLineEdit*>();
    ASSERT_EQ(text->text(), "Jul 10, 2019  08:30:05 PM");
    const struct {
        int at;  // a character of the part
        const char* typed;
        QDate date;
    } steps[] = {{5, "15", QDate(2019, 7, 15)}, {1, "Mar", QDate(2019, 3, 15)}, {10, "2021", QDate(2021, 3, 15)}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        clickCharacter(text, step.at);
        QTest::keyClicks(picker, QString::fromLatin1(step.typed));
        EXPECT_EQ(picker->date().toString(Qt::ISODate), step.date.toString(Qt::ISODate));
    }
    EXPECT_EQ(text->text(), QStringLiteral("Mar 15, 2021  08:30:05 PM"));
    EXPECT_EQ(DateRulePanel::ruleOf(view->metaDataObject(), 0).stringSelectedDate,
              QStringLiteral("2021:03:15 20:30:05"));
    EXPECT_EQ(view->textField("Date_Original")->text(), QStringLiteral("Mar 15,2021 08:30:05 PM"));
    EXPECT_TRUE(view->errorLabel("Date_Original")->isHidden());
    // A typed future year is warned of, as a step into the future is.
    clickCharacter(text, 10);
    QTest::keyClicks(picker, QStringLiteral("2099"));
    EXPECT_EQ(view->errorLabel("Date_Original")->text(),
              QStringLiteral("* Warning: You are trying to enter a future date. Please check."));
    EXPECT_FALSE(view->errorLabel("Date_Original")->isHidden());
    // A year before the picker's range is no date at all: the rule keeps the last one.
    clickCharacter(text, 10);
    QTest::keyClicks(picker, QStringLiteral("99"));
    EXPECT_EQ(DateRulePanel::ruleOf(view->metaDataObject(), 0).stringSelectedDate,
              QStringLiteral("2099:03:15 20:30:05"));
}

// ---- What the form shows is what the run writes ----

// A preset brings its own date rules: the fields show those, never the summaries of the rules it replaced.
TEST_F(AForm, showsTheDateRulesOfAPresetAppliedOverTheFormsRules) {
    for (int i = 0; i < batch.size(); ++i)
        batch[i].metadataObject.edit().Date_Original = QStringLiteral("2019:07:1%1 14:05:09").arg(i);
    tick({0, 1, 2});
    DateTimeRulesPanel* panel = view->batchActions().datePanel();
    view->batchActions().btnDatePickerTapped(0, view->viewWithTag(250));
    panel->radio(DateTimeConfiguration::IncDecTime)->click();
    EXPECT_EQ(view->textField("Date_Original")->text(), "Inc/Dec: Hour:1 Minute:1 Second:1");
    panel->removeAttachedPopupWindow();
    presets->arrayPresets().append(MetaDataObject());
    view->formActions().btnApplyPresetTapped(0);
    // The photos' dates differ: the run keeps each one, and the field says so.
    EXPECT_EQ(view->textField("Date_Original")->text(), "");
    EXPECT_EQ(view->textField("Date_Original")->placeholderText(), "Multiple values");
    view->batchActions().btnDatePickerTapped(0, view->viewWithTag(250));
    EXPECT_TRUE(panel->radio(DateTimeConfiguration::KeepOriginal)->isChecked());
    panel->removeAttachedPopupWindow();
    // The pending edits carry the preset's rule to the next selection, not the old rule's summary.
    tick({0});
    EXPECT_EQ(view->textField("Date_Original")->text(), "Jul 10,2019 02:05:09 PM");
    EXPECT_EQ(view->metaDataObject().Date_Original, "2019:07:10 14:05:09");
}

// The fields the key table gives no write form, and the GPS direction and date stamp that the form takes no
// edit of, show the photos' values in grey and say why.
TEST_F(AForm, refusesEveryEditOfAFieldItOnlyShowsAndSaysWhy) {
    const QStringList& readOnly = editrecords::fieldsTheFormOnlyShows();
    int shownOnly = 0;
    for (const FormFieldTraits& t : FormFieldTraits::all()) shownOnly += t.isShownOnly();
    EXPECT_EQ(shownOnly, readOnly.size()) << "every one of them is on the list";
    view->enableView(false);  // as every sheet over the form does
    view->enableView(true);
    for (const QString& name : readOnly) {
        SCOPED_TRACE(name.toStdString());
        const FormFieldTraits& traits = *FormFieldTraits::forField(name);
        EXPECT_TRUE(traits.isShownOnly() && !traits.isTyped());
        QWidget* control = view->textField(name);
        if (!control) control = view->sectionOf(name)->textView(name);
        const bool runWritesIt = traits.row->write != MetadataWriteForm::None;
        EXPECT_EQ(control->toolTip(), runWritesIt ? "Shown as the photos hold it; it cannot be edited here."
                                                  : "Shown as the photos hold it; Lumarind does not write this value.");
        EXPECT_NE(control->palette().color(QPalette::Text), QColor(Qt::black)) << "greyed as a value only shown";
        if (auto* line = qobject_cast<BackgroundTextField*>(control)) {
            const QColor ground = line->grab().toImage().pixelColor(line->width() - 4, 4);
            EXPECT_NE(ground.name(), QColor(Qt::white).name()) << "empty, it still looks like no field to type into";
            // "Multiple values" reads on the grey as well as it did on a white field in grey 128.
            const QColor hint = line->palette().color(QPalette::PlaceholderText);
            EXPECT_GE(testsupport::contrastRatio(hint, ground), 3.9)
                << hint.name().toStdString() << " on " << ground.name().toStdString();
        }
        QTest::mouseClick(control, Qt::LeftButton);
        QTest::keyClicks(control, "9");
        settle();
        EXPECT_FALSE(view->optionPopup()->isOpen()) << "no list to choose from";
        EXPECT_EQ(view->metaDataObject().*(traits.row->field), "");
        EXPECT_FALSE(view->isParamsChanged());
    }
}

// Every marked field on show draws its outline on top of its white field (odd tags marked, even not), in a
// colour with a contrast of at least 3 to the dark form.
TEST_F(AForm, outlinesEveryMarkedFieldInAColourThatStandsOutOnTheDarkForm) {
    MetaDataObject marked;
    for (const FormFieldTraits& t : FormFieldTraits::all()) marked.*(t.row->updated) = t.borderTag % 2;
    view->highlightBorder(marked);
    int shown = 0;
    for (const FormFieldTraits& t : FormFieldTraits::all()) {
        if (!t.borderTag || t.control == FormFieldTraits::Control::None) continue;
        ++shown;
        const QImage image = view->viewWithTag(t.borderTag)->grab().toImage();
        const QColor expected = t.borderTag % 2 ? MetadataSection::changedFieldOutline() : QColor(Qt::white);
        EXPECT_EQ(image.pixelColor(1, image.height() / 2).rgb(), expected.rgb()) << t.row->name;
    }
    EXPECT_EQ(shown, 61) << "the XMP position has no field of its own";
    EXPECT_GE(testsupport::contrastRatio(MetadataSection::changedFieldOutline(), QColor(0x26, 0x26, 0x26)), 3.0);
}

}  // namespace

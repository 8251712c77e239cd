#include <gtest/gtest.h>

#include <QSignalSpy>

#include <functional>
#include <optional>

#include "editor/EditSession.h"
#include "editor/EditingOptions.h"
#include "model/MetadataKeyTable.h"

namespace {

const MetadataKeyRow& rowOf(const char* field) {
    return *MetadataKeyTable::rowForField(QString::fromLatin1(field));
}

// A session over records lent to it, as the application lends its own.
struct Holder {
    MetaDataObject selection;
    MetaDataObject selectionOnlyUpdated;
    EditSession session{EditSession::Lent{&selection, &selectionOnlyUpdated}};
};

// One field of the changed-fields rule: the selection's value, an optional value the form held at an
// earlier rebuild, the form's value now, and what the record must hold after the rebuild.
struct ChangedFieldCase {
    const char* name;
    const char* field;
    QString selected;
    std::optional<QString> earlier;
    QString form;
    QString expected;
    bool expectNull = false;
};

void PrintTo(const ChangedFieldCase& c, std::ostream* os) {
    *os << c.name;
}

class TheChangedFieldsRule : public testing::TestWithParam<ChangedFieldCase> {};

TEST_P(TheChangedFieldsRule, comparesExactlyAndOnlyGrows) {
    const ChangedFieldCase& c = GetParam();
    const MetadataKeyRow& row = rowOf(c.field);
    Holder h;
    MetaDataObject merged;
    merged.*row.field = c.selected;
    h.session.setSelection(merged, true);
    if (c.earlier) {
        h.session.editField(row, *c.earlier);
        h.session.createUpdatedChangesOnly();
    }
    h.session.editField(row, c.form);
    h.session.createUpdatedChangesOnly();
    const QString& got = h.session.metaDataObjectWithUpdatedChange().*row.field;
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(got.isNull(), c.expectNull);
}

const QString kNull;

INSTANTIATE_TEST_SUITE_P(
    Cases, TheChangedFieldsRule,
    testing::Values(
        ChangedFieldCase{"equalStaysOut", "Artist", "Ann", std::nullopt, "Ann", ""},
        ChangedFieldCase{"differenceEnters", "Artist", "Ann", std::nullopt, "Bob", "Bob"},
        ChangedFieldCase{"disagreementGetsTheNewValue", "IPTC_City", "", std::nullopt, "Oslo", "Oslo"},
        ChangedFieldCase{"emptyingIsAChange", "Copyright", "(c) Ann", std::nullopt, "", ""},
        ChangedFieldCase{"emptyingOverwritesAnEarlierValue", "Copyright", "(c) Ann", QString("(c) Bob"), "", ""},
        ChangedFieldCase{"trailingBlankDiffers", "Software", "Lumarind", std::nullopt, "Lumarind ", "Lumarind "},
        ChangedFieldCase{"caseDiffers", "Cam_Make", "canon", std::nullopt, "Canon", "Canon"},
        ChangedFieldCase{"noNormalisation", "IPTC_City", QString::fromUtf8("Sa\u0303o"), std::nullopt,
                         QString::fromUtf8("S\u00e3o"), QString::fromUtf8("S\u00e3o")},
        // Back at the value before editing, the field is no edit, not even to an earlier rebuild.
        ChangedFieldCase{"changedBackLeavesTheEarlierRebuild", "Artist", "Ann", QString("Bob"), "Ann", ""},
        ChangedFieldCase{"nullSelectionCountsAsChange", "Artist", kNull, std::nullopt, "", ""},
        ChangedFieldCase{"nullOnBothSidesIsWrittenAsNull", "Artist", kNull, std::nullopt, kNull, "", true},
        ChangedFieldCase{"pixelSizeNeverEnters", "DimResolution_ExifImageWidth", "4000", std::nullopt, "10", ""},
        ChangedFieldCase{"resolutionUnitNeverEnters", "DimResolution_ResolutionUnit", "2", std::nullopt, "3", ""},
        ChangedFieldCase{"gpsDateNeverEnters", "GPS_DateStamp", "2020:01:01", std::nullopt, "2021:01:01", ""},
        ChangedFieldCase{"xmpFieldsEnter", "XMP_PhotoshopDateCreated", "", std::nullopt, "2020", "2020"}),
    [](const testing::TestParamInfo<ChangedFieldCase>& info) { return std::string(info.param.name); });

// Every field edited takes its value into the changed-fields record but the picture's size and resolution and the GPS
// date, which the run never takes from the form.
TEST(TheChangedFieldsRecord, takesEveryFieldButThePictureSizeAndTheGpsDateAndReceivesOnlyValues) {
    const QStringList neverTaken = {"DimResolution_ExifImageWidth", "DimResolution_ExifImageHeight",
                                    "DimResolution_XResolution",    "DimResolution_YResolution",
                                    "DimResolution_ResolutionUnit", "GPS_DateStamp"};
    Holder h;
    MetaDataObject merged;
    merged.clearXMP = true;
    h.session.setSelection(merged, true);
    const DateTimeConfigurationRef defaultRule = h.session.metaDataObjectWithUpdatedChange().dateTimeConfigOriginalDate;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) h.session.editField(row, "x");
    h.session.setClearSwitch(MetadataClearSwitch::Exif, true);
    h.session.changeEditingOption(CleanMetadataInfo);
    const MetaDataObject& changed = h.session.metaDataObjectWithUpdatedChange();
    int flags = 0;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        flags += changed.*row.updated ? 1 : 0;
        EXPECT_EQ(changed.*row.field, neverTaken.contains(QLatin1String(row.name)) ? "" : "x") << row.name;
    }
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(changed.editingOption, 0);
    EXPECT_FALSE(changed.clearExif || changed.clearXMP);
    EXPECT_EQ(changed.dateTimeConfigOriginalDate, defaultRule);
}

TEST(ApplyAndRevert, moveThePointOfComparisonAndReturnToTheValuesBeforeEditing) {
    Holder h;
    MetaDataObject merged;
    merged.Artist = "Ann";
    merged.clearXMP = true;  // a preset that strips XMP was part of the selection
    h.session.setSelection(merged, true);
    EXPECT_FALSE(h.session.isParamsChanged());

    h.session.editField(rowOf("Artist"), "Bob");
    h.session.setClearSwitch(MetadataClearSwitch::XMP, false);
    EXPECT_TRUE(h.session.isParamsChanged());
    EXPECT_TRUE(h.session.isMetaDataResetEnable());

    h.session.apply();
    EXPECT_FALSE(h.session.isParamsChanged());
    EXPECT_EQ(h.selection.Artist, "Bob");
    EXPECT_FALSE(h.selection.clearXMP) << "Apply carries the XMP switch with the copy";
    EXPECT_FALSE(h.selection.isupdated_Artist) << "copies carry no change flags";
    EXPECT_EQ(h.selectionOnlyUpdated.Artist, "Bob");
    EXPECT_EQ(h.session.metaDataObjectBeforeSaving().Artist, "Ann");

    // A second Apply without an edit adds nothing.
    h.session.apply();
    EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().Artist, "Bob");
    EXPECT_EQ(h.selection.Artist, "Bob");

    // After Apply, a value equal to the applied one no longer counts; the record keeps what it held.
    h.session.editField(rowOf("Copyright"), "(c)");
    h.session.createUpdatedChangesOnly();
    EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().Copyright, "(c)");

    h.session.revert();
    EXPECT_FALSE(h.session.isParamsChanged());
    EXPECT_EQ(h.selection.Artist, "Ann") << "Revert returns to the set-up values, not the applied ones";
    EXPECT_EQ(h.session.metaDataObject().Artist, "Ann");
    EXPECT_EQ(h.session.metaDataObject().Copyright, "");
    EXPECT_TRUE(h.session.metaDataObject().clearXMP) << "Revert restores the XMP switch from before editing";
    EXPECT_TRUE(h.session.metaDataObjectBeforeSaving().clearXMP);
    EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().Artist, "");
    EXPECT_FALSE(h.session.metaDataObject().isupdated_Artist);

    // The pending edits outlive Revert and are laid on at the next set-up.
    EXPECT_TRUE(h.session.isEditedMetadataObject());
    EXPECT_TRUE(h.session.setSelection(merged, true));
    EXPECT_EQ(h.session.metaDataObject().Artist, "Bob");
    EXPECT_TRUE(h.session.metaDataObject().isupdated_Artist);
    EXPECT_TRUE(h.session.isParamsChanged());
    EXPECT_TRUE(h.session.setSelection(MetaDataObject(), false));
    EXPECT_FALSE(h.session.isParamsChanged()) << "no photo: pending edits laid on, form not counted as changed";

    h.session.dropPendingEdits();
    EXPECT_FALSE(h.session.setSelection(merged, true));
    EXPECT_EQ(h.session.metaDataObject().Artist, "Ann");
}

TEST(ApplyAndRevert, leaveTheRulesOfOtherCopiesUntouched) {
    Holder h;
    MetaDataObject merged;
    h.session.setSelection(merged, true);
    const DateTimeConfigurationRef before = h.session.metaDataObjectBeforeSaving().dateTimeConfigModifyDate;
    const DateTimeConfiguration original = *before;

    // A rule change makes a new rule; the copies that share the old one keep it.
    auto changed = std::make_shared<DateTimeConfiguration>(*h.session.metaDataObject().dateTimeConfigModifyDate);
    changed->tagConfigureOption = DateTimeConfiguration::EmptyValue;
    h.session.setDateRule(2, changed, "Empty Value");
    EXPECT_EQ(*h.selection.dateTimeConfigModifyDate, original);

    h.session.revert();
    EXPECT_EQ(h.session.metaDataObject().dateTimeConfigModifyDate->option(), DateTimeConfiguration::KeepOriginal);
    EXPECT_EQ(*before, original);
}

struct OptionCase {
    int option;
    bool showsChangedFieldsOnly;
    bool showsClearOptions;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << "option " << c.option;
}

class TheEditingOption : public testing::TestWithParam<OptionCase> {};

TEST_P(TheEditingOption, isStoredEverywhereAndChoosesWhatTheFieldsShow) {
    const OptionCase& c = GetParam();
    Holder h;
    MetaDataObject merged;
    merged.Artist = "Ann";
    merged.Copyright = "(c)";
    h.session.setSelection(merged, true);
    h.session.editField(rowOf("Artist"), "Bob");
    h.session.isMetadataParamChanged(false);  // as after Apply: choosing an option still marks the form

    MetaDataObject shown;
    QObject::connect(&h.session, &EditSession::recordReplaced, [&shown](const MetaDataObject& r) { shown = r; });
    h.session.changeEditingOption(c.option);
    EXPECT_TRUE(h.session.isParamsChanged());
    EXPECT_EQ(h.session.metaDataObject().editingOption, c.option);
    EXPECT_EQ(h.session.editedMetaDataObject().editingOption, c.option);
    EXPECT_EQ(h.selection.editingOption, c.option);
    EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().Artist, "Bob");
    EXPECT_EQ(shown.Artist, "Bob");
    EXPECT_EQ(shown.Copyright, c.showsChangedFieldsOnly ? "" : "(c)");

    const auto layout = EditingOptions::panelLayout(c.option);
    EXPECT_EQ(layout.showsClearOptions, c.showsClearOptions);
    EXPECT_EQ(layout.scrollingEnabled, !c.showsClearOptions);
}

INSTANTIATE_TEST_SUITE_P(Options, TheEditingOption,
                         testing::Values(OptionCase{0, false, false}, OptionCase{1, true, false},
                                         OptionCase{2, false, true}));

TEST(TheClearSwitches, goIntoTheFormAndThePendingEditsWhateverTheOption) {
    using S = MetadataClearSwitch;
    for (const S clearSwitch : {S::Comment, S::Exif, S::IPTC, S::GpsInfo, S::XMP}) {
        Holder h;
        h.session.setSelection(MetaDataObject(), true);
        h.session.setClearSwitch(clearSwitch, true);
        EXPECT_EQ(MetadataKeyTable::switchesOn(h.session.metaDataObject()), static_cast<unsigned>(clearSwitch));
        EXPECT_EQ(MetadataKeyTable::switchesOn(h.session.editedMetaDataObject()), static_cast<unsigned>(clearSwitch));
        EXPECT_TRUE(h.session.isParamsChanged());
        EXPECT_EQ(h.session.metaDataObject().editingOption, 0);
        h.session.setClearSwitch(clearSwitch, false);
        EXPECT_EQ(MetadataKeyTable::switchesOn(h.session.metaDataObject()), 0u);
    }
    // As wide as the option's field and button, never narrower than its texts; every row of three in sight.
    EXPECT_EQ(EditingOptions::listFrame(220, 330, 3), QRectF(0, 0, 330, 96));
    EXPECT_EQ(EditingOptions::listFrame(400, 330, 6).height(), 186);
}

// Empties the date at an index of the form's six, as the date panel does.
std::function<void(EditSession&)> emptyDate(int index, const char* summary) {
    return [=](EditSession& s) {
        auto rule = std::make_shared<DateTimeConfiguration>();
        rule->tagConfigureOption = DateTimeConfiguration::EmptyValue;
        s.setDateRule(index, rule, summary);
    };
}

// A session with the selection "Ann" for its artist.
struct AnnsHolder : Holder {
    AnnsHolder() {
        MetaDataObject merged;
        merged.Artist = "Ann";
        session.setSelection(merged, true);
    }
};

// Revert has something to undo exactly while the form is not what the selection was before editing.
TEST(WhatRevertUndoes, isTheFormsDifferenceFromBeforeEditing) {
    const auto applyBob = [](auto& s) {
        s.editField(rowOf("Artist"), "Bob");
        s.apply();
    };
    const struct {
        const char* name;
        std::function<void(EditSession&)> steps;
        bool differs;
    } rows[] = {
        {"nothing", [](auto&) {}, false},
        {"anEditOfTheSameValue", [](auto& s) { s.editField(rowOf("Artist"), "Ann"); }, false},
        {"anAppliedEdit", applyBob, true},
        {"anAppliedEditReverted",
         [&](auto& s) {
             applyBob(s);
             s.revert();
         },
         false},
        {"anOptionAndASwitch",
         [](auto& s) {
             s.changeEditingOption(CleanMetadataInfo);
             s.setClearSwitch(MetadataClearSwitch::IPTC, true);
         },
         true},
        {"aDateRule", emptyDate(0, "Empty Value"), true},
        // A preset's rules keep every date.
        {"anEqualDateRule", [](auto& s) { s.applyPreset(MetaDataObject()); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AnnsHolder h;
        row.steps(h.session);
        EXPECT_EQ(h.session.differsFromBeforeEditing(), row.differs);
    }
}

// A preset's date rule is an edit of that date, though a stored preset comes back without change flags: the
// date is marked, and under "clear others" it stays among the changed fields.
TEST(APresetsDateRule, marksTheDateAsEdited) {
    const struct {
        const char* name;
        std::optional<int> rule;  // the kind of the preset's rule for the date modified; none: the default rule
        const char* text;         // the preset's text for that date
        bool edited;
    } rows[] = {{"emptyValueWithItsSummary", DateTimeConfiguration::EmptyValue, "Empty Value", true},
                {"shiftWithoutText", DateTimeConfiguration::IncDecTime, "", true},
                {"keepOriginalChosen", DateTimeConfiguration::KeepOriginal, "Keep Original", true},
                {"noRuleOfItsOwn", std::nullopt, "", false}};
    for (const auto& c : rows) {
        SCOPED_TRACE(c.name);
        Holder h;
        MetaDataObject merged;
        merged.Date_Modify = "2011:01:10 21:09:00";
        h.session.setSelection(merged, true);
        MetaDataObject preset;
        preset.editingOption = ModifyEditedClearOthers;
        preset.Date_Modify = QString::fromUtf8(c.text);
        if (c.rule) {
            DateTimeConfiguration rule;
            rule.tagConfigureOption = *c.rule;
            preset.dateTimeConfigModifyDate = std::make_shared<const DateTimeConfiguration>(rule);
        }
        h.session.applyPreset(preset);
        h.session.createUpdatedChangesOnly();
        EXPECT_EQ(h.session.metaDataObject().isupdated_Date_Modify, c.edited);
        EXPECT_EQ(h.session.editedMetaDataObject().isupdated_Date_Modify, c.edited);
        EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().Date_Modify.isEmpty(), !c.edited);
    }
}

// A selection whose photos share Artist and disagree on Copyright.
MetaDataObject selectionOf(const char* artist, const char* copyright = "") {
    MetaDataObject merged;
    merged.Artist = QString::fromLatin1(artist);
    merged.Copyright = QString::fromLatin1(copyright);
    return merged;
}

// Text back at what the field showed at the last set-up, Apply or Revert takes the edit back: the field is as it
// was then, pending edit and changed fields included. Under "clear others" the fields show the changed fields,
// so a typed text is always an edit there.
struct TakeBackCase {
    const char* name;
    const char* field;
    std::function<void(EditSession&)> steps;  // from the selection Artist "Ann", Copyright ""
    bool flagged;                             // the field's change flag in the form record
    bool unsaved;
    const char* changed;  // the field in the changed-fields record rebuilt after the steps
    const char* laidOn;   // the field once the selection Artist "Cy", Copyright "(c) Cy" is set up
};

void PrintTo(const TakeBackCase& c, std::ostream* os) {
    *os << c.name;
}

class AnEditTakenBack : public testing::TestWithParam<TakeBackCase> {};

TEST_P(AnEditTakenBack, leavesTheFieldAsTheLastSelectionOrApplyLeftIt) {
    const TakeBackCase& c = GetParam();
    const MetadataKeyRow& row = rowOf(c.field);
    AnnsHolder h;
    c.steps(h.session);
    EXPECT_EQ(h.session.metaDataObject().*row.updated, c.flagged) << "flagged";
    EXPECT_EQ(h.session.isParamsChanged(), c.unsaved) << "unsaved";
    h.session.createUpdatedChangesOnly();
    EXPECT_EQ(h.session.metaDataObjectWithUpdatedChange().*row.field, c.changed) << "among the changed fields";
    h.session.setSelection(selectionOf("Cy", "(c) Cy"), true);
    EXPECT_EQ(h.session.metaDataObject().*row.field, c.laidOn) << "at the next selection";
}

void edit(EditSession& s, const char* field, std::initializer_list<const char*> texts) {
    for (const char* text : texts) s.editField(rowOf(field), QString::fromLatin1(text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnEditTakenBack,
    testing::Values(TakeBackCase{"undone", "Artist",
                                 [](auto& s) {
                                     edit(s, "Artist", {"Bob", "Ann"});
                                 },
                                 false, false, "", "Cy"},
                    TakeBackCase{"emptiedOnPurpose", "Artist", [](auto& s) { edit(s, "Artist", {""}); }, true, true, "",
                                 ""},
                    // A stored preset brings its texts without change flags; they stay pending all the same.
                    TakeBackCase{"presetTextAfterAnUndoElsewhere", "Copyright",
                                 [](auto& s) {
                                     s.applyPreset(selectionOf("", "(C) Preset"));
                                     edit(s, "Artist", {"Bob", "Ann"});
                                 },
                                 false, true, "(C) Preset", "(C) Preset"},
                    TakeBackCase{"emptiedAfterApply", "Copyright",
                                 [](auto& s) {
                                     edit(s, "Copyright", {"abc"});
                                     s.apply();
                                     edit(s, "Copyright", {""});
                                 },
                                 true, true, "", ""},
                    TakeBackCase{"backAtTheAppliedValue", "Copyright",
                                 [](auto& s) {
                                     edit(s, "Copyright", {"abc"});
                                     s.apply();
                                     edit(s, "Copyright", {"", "abc"});
                                 },
                                 true, false, "abc", "abc"},
                    TakeBackCase{"pendingEditOnASelectionHoldingIt", "Artist",
                                 [](auto& s) {
                                     edit(s, "Artist", {"Bob"});
                                     s.setSelection(selectionOf("Bob"), true);
                                     edit(s, "Artist", {"x", "Bob"});
                                 },
                                 true, true, "Bob", "Bob"},
                    TakeBackCase{"pendingEditKeptByRevert", "Artist",
                                 [](auto& s) {
                                     edit(s, "Artist", {"Bob"});
                                     s.apply();
                                     s.revert();
                                     edit(s, "Artist", {"x", "Ann"});
                                 },
                                 false, false, "", "Bob"},
                    // The end of a run drops the pending edits; taking an edit back after it brings none back.
                    TakeBackCase{"pendingEditsDroppedByARun", "Artist",
                                 [](auto& s) {
                                     edit(s, "Artist", {"Bob"});
                                     s.setSelection(selectionOf("Ann"), true);
                                     s.dropPendingEdits();
                                     edit(s, "Artist", {"x", "Bob"});
                                 },
                                 true, false, "Bob", "Cy"},
                    TakeBackCase{"clearOthersKeepsThePhotosValueTypedBack", "Artist",
                                 [](auto& s) {
                                     edit(s, "Artist", {"Bob"});
                                     s.changeEditingOption(ModifyEditedClearOthers);
                                     edit(s, "Artist", {"Ann"});
                                 },
                                 true, true, "Ann", "Ann"},
                    TakeBackCase{"clearOthersKeepsThePhotosValueTyped", "Artist",
                                 [](auto& s) {
                                     s.changeEditingOption(ModifyEditedClearOthers);
                                     edit(s, "Artist", {"Ann"});
                                 },
                                 true, true, "Ann", "Ann"},
                    TakeBackCase{"clearOthersEmptied", "Copyright",
                                 [](auto& s) {
                                     edit(s, "Copyright", {"abc def"});
                                     s.changeEditingOption(ModifyEditedClearOthers);
                                     edit(s, "Copyright", {""});
                                 },
                                 true, true, "", ""}),
    [](const testing::TestParamInfo<TakeBackCase>& info) { return std::string(info.param.name); });

// Every change of the form's records is announced, coarsely: the record replaced (with the record the fields
// show then), the fields changed, and the unsaved-edit flag each time it is set.
TEST(EveryVerb, isAnnouncedOnce) {
    enum class Shown { Nothing, Form, ChangedFields, Selection };
    using S = Shown;
    const struct {
        const char* name;
        Shown shown;
        QStringList fields;
        QList<bool> unsaved;
        std::function<void(EditSession&)> step;
    } rows[] = {
        {"aSelection", S::Form, {}, {true}, [](auto& s) { s.setSelection(MetaDataObject(), true); }},
        {"noPhoto", S::Selection, {}, {false}, [](auto& s) { s.setSelection(MetaDataObject(), false); }},
        {"anEdit", S::Nothing, {"Artist"}, {true}, [](auto& s) { s.editField(rowOf("Artist"), "Bob"); }},
        {"anEditTakenBack", S::Nothing, {"Copyright"}, {false}, [](auto& s) { s.editField(rowOf("Copyright"), ""); }},
        {"aDateRule", S::Nothing, {"Date_Original"}, {true}, emptyDate(0, "Empty Value")},
        {"anIndexThatIsNoDate", S::Nothing, {}, {}, emptyDate(6, "x")},
        {"aMapReport",
         S::Nothing,
         {"GPS_Lattitude", "GPS_Longitude"},
         {true},
         [](auto& s) {
             s.editMapFields({{&MetaDataObject::GPS_Lattitude, "1"}, {&MetaDataObject::GPS_Longitude, "2"}});
         }},
        {"aClearSwitch", S::Nothing, {}, {true}, [](auto& s) { s.setClearSwitch(MetadataClearSwitch::XMP, true); }},
        {"clearOthers", S::ChangedFields, {}, {true}, [](auto& s) { s.changeEditingOption(ModifyEditedClearOthers); }},
        {"cleaning", S::Form, {}, {true}, [](auto& s) { s.changeEditingOption(CleanMetadataInfo); }},
        {"aPreset", S::Form, {}, {true}, [](auto& s) { s.applyPreset(MetaDataObject()); }},
        {"apply", S::Nothing, {}, {false}, &EditSession::apply},
        {"revert", S::Selection, {}, {false}, &EditSession::revert},
        {"droppingThePendingEdits", S::Nothing, {}, {}, &EditSession::dropPendingEdits},
        {"theChangedFieldsRebuilt", S::Nothing, {}, {}, &EditSession::createUpdatedChangesOnly},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.name);
        AnnsHolder h;
        h.session.editField(rowOf("Copyright"), "(c)");  // pending edits, laid on again by a new selection
        Shown shown = Shown::Nothing;
        QStringList fields;
        QObject::connect(&h.session, &EditSession::recordReplaced, [&](const MetaDataObject& record) {
            EXPECT_EQ(shown, Shown::Nothing) << "one replacement";
            shown = &record == &h.session.metaDataObject()                    ? Shown::Form
                    : &record == &h.session.metaDataObjectWithUpdatedChange() ? Shown::ChangedFields
                    : &record == &h.selection                                 ? Shown::Selection
                                                                              : Shown::Nothing;
        });
        QObject::connect(&h.session, &EditSession::fieldChanged,
                         [&fields](const MetadataKeyRow& row) { fields.append(row.fieldName()); });
        QSignalSpy unsaved(&h.session, &EditSession::unsavedStateChanged);
        c.step(h.session);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(fields, c.fields);
        QList<bool> flags;
        for (const QList<QVariant>& args : unsaved) flags.append(args.first().toBool());
        EXPECT_EQ(flags, c.unsaved);
        if (!flags.isEmpty()) {
            EXPECT_EQ(h.session.isParamsChanged(), flags.last());
        }
    }
}

}  // namespace

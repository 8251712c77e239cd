#include <gtest/gtest.h>

#include <QSignalSpy>

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
        ChangedFieldCase{"changedBackKeepsTheEarlierRebuild", "Artist", "Ann", QString("Bob"), "Ann", "Bob"},
        ChangedFieldCase{"nullSelectionCountsAsChange", "Artist", kNull, std::nullopt, "", ""},
        ChangedFieldCase{"nullOnBothSidesIsWrittenAsNull", "Artist", kNull, std::nullopt, kNull, "", true},
        ChangedFieldCase{"pixelSizeNeverEnters", "DimResolution_ExifImageWidth", "4000", std::nullopt, "10", ""},
        ChangedFieldCase{"resolutionUnitNeverEnters", "DimResolution_ResolutionUnit", "2", std::nullopt, "3", ""},
        ChangedFieldCase{"gpsDateNeverEnters", "GPS_DateStamp", "2020:01:01", std::nullopt, "2021:01:01", ""},
        ChangedFieldCase{"xmpFieldsEnter", "XMP_PhotoshopDateCreated", "", std::nullopt, "2020", "2020"}),
    [](const testing::TestParamInfo<ChangedFieldCase>& info) { return std::string(info.param.name); });

TEST(TheChangedFieldsRecord, takesPartForSeventyFourFieldsAndReceivesOnlyValues) {
    int taking = 0;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) taking += row.entersChangedFields ? 1 : 0;
    EXPECT_EQ(taking, 74);

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
        EXPECT_EQ(changed.*row.field, row.entersChangedFields ? "x" : "") << row.name;
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

// Revert has something to undo exactly while the form is not what the selection was before editing.
struct RevertCase {
    const char* name;
    void (*steps)(EditSession&);
    bool differs;
};

class WhatRevertUndoes : public testing::TestWithParam<RevertCase> {};

TEST_P(WhatRevertUndoes, isTheFormsDifferenceFromBeforeEditing) {
    Holder h;
    MetaDataObject merged;
    merged.Artist = "Ann";
    h.session.setSelection(merged, true);
    GetParam().steps(h.session);
    EXPECT_EQ(h.session.differsFromBeforeEditing(), GetParam().differs);
}

void keepTheName(EditSession& s) {
    s.editField(rowOf("Artist"), "Ann");
}
void applyAName(EditSession& s) {
    s.editField(rowOf("Artist"), "Bob");
    s.apply();
}
void applyAndRevert(EditSession& s) {
    applyAName(s);
    s.revert();
}
void cleanIptc(EditSession& s) {
    s.changeEditingOption(CleanMetadataInfo);
    s.setClearSwitch(MetadataClearSwitch::IPTC, true);
}
void emptyTheDateTaken(EditSession& s) {
    DateTimeConfiguration rule;
    rule.tagConfigureOption = DateTimeConfiguration::EmptyValue;
    s.setDateRule(0, std::make_shared<const DateTimeConfiguration>(rule), "Empty Value");
}
void keepTheDateTaken(EditSession& s) {
    s.applyPreset(MetaDataObject());  // its rules keep every date
}

INSTANTIATE_TEST_SUITE_P(Steps, WhatRevertUndoes,
                         testing::Values(RevertCase{"nothing", [](EditSession&) {}, false},
                                         RevertCase{"anEditOfTheSameValue", keepTheName, true},
                                         RevertCase{"anAppliedEdit", applyAName, true},
                                         RevertCase{"anAppliedEditReverted", applyAndRevert, false},
                                         RevertCase{"anOptionAndASwitch", cleanIptc, true},
                                         RevertCase{"aDateRule", emptyTheDateTaken, true},
                                         RevertCase{"anEqualDateRule", keepTheDateTaken, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A preset's date rule is an edit of that date, though a stored preset comes back without change flags: the
// date is marked, and under "clear others" it stays among the changed fields.
struct PresetDateCase {
    const char* name;
    std::optional<int> rule;  // the kind of the preset's rule for the date modified; none: the default rule
    const char* text;         // the preset's text for that date
    bool edited;
};

void PrintTo(const PresetDateCase& c, std::ostream* os) {
    *os << c.name;
}

class APresetsDateRule : public testing::TestWithParam<PresetDateCase> {};

TEST_P(APresetsDateRule, marksTheDateAsEdited) {
    const PresetDateCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Presets, APresetsDateRule,
    testing::Values(PresetDateCase{"emptyValueWithItsSummary", DateTimeConfiguration::EmptyValue, "Empty Value", true},
                    PresetDateCase{"shiftWithoutText", DateTimeConfiguration::IncDecTime, "", true},
                    PresetDateCase{"keepOriginalChosen", DateTimeConfiguration::KeepOriginal, "Keep Original", true},
                    PresetDateCase{"noRuleOfItsOwn", std::nullopt, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Every change of the form's records is announced, coarsely: the record replaced (with the record the fields
// show then), the fields changed, and the unsaved-edit flag each time it is set.
enum class Shown { Nothing, Form, ChangedFields, Selection };

struct AnnouncedCase {
    const char* name;
    void (*step)(EditSession&);
    Shown shown;
    QStringList fields;
    QList<bool> unsaved;
};

void PrintTo(const AnnouncedCase& c, std::ostream* os) {
    *os << c.name;
}

class EveryVerb : public testing::TestWithParam<AnnouncedCase> {};

TEST_P(EveryVerb, isAnnouncedOnce) {
    const AnnouncedCase& c = GetParam();
    Holder h;
    MetaDataObject merged;
    merged.Artist = "Ann";
    h.session.setSelection(merged, true);
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

DateTimeConfigurationRef emptyValueRule() {
    auto rule = std::make_shared<DateTimeConfiguration>();
    rule->tagConfigureOption = DateTimeConfiguration::EmptyValue;
    return rule;
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, EveryVerb,
    testing::Values(
        AnnouncedCase{
            "aSelection", [](EditSession& s) { s.setSelection(MetaDataObject(), true); }, Shown::Form, {}, {true}},
        AnnouncedCase{
            "noPhoto", [](EditSession& s) { s.setSelection(MetaDataObject(), false); }, Shown::Selection, {}, {false}},
        AnnouncedCase{
            "anEdit", [](EditSession& s) { s.editField(rowOf("Artist"), "Bob"); }, Shown::Nothing, {"Artist"}, {true}},
        AnnouncedCase{"aDateRule",
                      [](EditSession& s) { s.setDateRule(0, emptyValueRule(), "Empty Value"); },
                      Shown::Nothing,
                      {"Date_Original"},
                      {true}},
        AnnouncedCase{"anIndexThatIsNoDate",
                      [](EditSession& s) { s.setDateRule(6, emptyValueRule(), "x"); },
                      Shown::Nothing,
                      {},
                      {}},
        AnnouncedCase{
            "aMapReport",
            [](EditSession& s) {
                s.editMapFields({{&MetaDataObject::GPS_Lattitude, "1"}, {&MetaDataObject::GPS_Longitude, "2"}});
            },
            Shown::Nothing,
            {"GPS_Lattitude", "GPS_Longitude"},
            {true}},
        AnnouncedCase{"aClearSwitch",
                      [](EditSession& s) { s.setClearSwitch(MetadataClearSwitch::XMP, true); },
                      Shown::Nothing,
                      {},
                      {true}},
        AnnouncedCase{"clearOthers",
                      [](EditSession& s) { s.changeEditingOption(ModifyEditedClearOthers); },
                      Shown::ChangedFields,
                      {},
                      {true}},
        AnnouncedCase{
            "cleaning", [](EditSession& s) { s.changeEditingOption(CleanMetadataInfo); }, Shown::Form, {}, {true}},
        AnnouncedCase{"aPreset", [](EditSession& s) { s.applyPreset(MetaDataObject()); }, Shown::Form, {}, {true}},
        AnnouncedCase{"apply", [](EditSession& s) { s.apply(); }, Shown::Nothing, {}, {false}},
        AnnouncedCase{"revert", [](EditSession& s) { s.revert(); }, Shown::Selection, {}, {false}},
        AnnouncedCase{"droppingThePendingEdits", [](EditSession& s) { s.dropPendingEdits(); }, Shown::Nothing, {}, {}},
        AnnouncedCase{
            "theChangedFieldsRebuilt", [](EditSession& s) { s.createUpdatedChangesOnly(); }, Shown::Nothing, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

#include <gtest/gtest.h>

#include "editor/EditSession.h"
#include "editor/EditingOptions.h"
#include "model/MetadataKeyTable.h"

namespace {

const MetadataKeyRow& rowOf(const char* field) {
    return *MetadataKeyTable::rowForField(QString::fromLatin1(field));
}

struct Holder {
    OwnedEditRecords owned;
    MetaDataObject& selection = owned.selection;
    MetaDataObject& selectionOnlyUpdated = owned.selectionOnlyUpdated;
    EditSession session{owned.records()};
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
    h.session.setupSelection(merged, true);
    if (c.earlier) {
        h.session.metaDataObject().*row.field = *c.earlier;
        h.session.createUpdatedChangesOnly();
    }
    h.session.metaDataObject().*row.field = c.form;
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
    h.session.setupSelection(merged, true);
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
    h.session.setupSelection(merged, true);
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
    EXPECT_TRUE(h.session.setupSelection(merged, true));
    EXPECT_EQ(h.session.metaDataObject().Artist, "Bob");
    EXPECT_TRUE(h.session.metaDataObject().isupdated_Artist);
    EXPECT_TRUE(h.session.isParamsChanged());
    EXPECT_TRUE(h.session.setupSelection(MetaDataObject(), false));
    EXPECT_FALSE(h.session.isParamsChanged()) << "no photo: pending edits laid on, form not counted as changed";

    h.session.dropPendingEdits();
    EXPECT_FALSE(h.session.setupSelection(merged, true));
    EXPECT_EQ(h.session.metaDataObject().Artist, "Ann");
}

TEST(ApplyAndRevert, leaveTheRulesOfOtherCopiesUntouched) {
    Holder h;
    MetaDataObject merged;
    h.session.setupSelection(merged, true);
    const DateTimeConfigurationRef before = h.session.metaDataObjectBeforeSaving().dateTimeConfigModifyDate;
    const DateTimeConfiguration original = *before;

    // A rule change makes a new rule; the copies that share the old one keep it.
    auto changed = std::make_shared<DateTimeConfiguration>(*h.session.metaDataObject().dateTimeConfigModifyDate);
    changed->tagConfigureOption = DateTimeConfiguration::EmptyValue;
    h.session.metaDataObject().dateTimeConfigModifyDate = changed;
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
    h.session.setupSelection(merged, true);
    h.session.editField(rowOf("Artist"), "Bob");
    h.session.isMetadataParamChanged(false);  // as after Apply: choosing an option still marks the form

    const MetaDataObject& shown = h.session.changeEditingOption(c.option);
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
        h.session.setupSelection(MetaDataObject(), true);
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
    h.session.setupSelection(merged, true);
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
    s.metaDataObject().dateTimeConfigOriginalDate = std::make_shared<const DateTimeConfiguration>(rule);
}
void keepTheDateTaken(EditSession& s) {
    s.metaDataObject().dateTimeConfigOriginalDate = std::make_shared<const DateTimeConfiguration>();
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
    h.session.setupSelection(merged, true);
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

}  // namespace

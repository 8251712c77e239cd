#include <gtest/gtest.h>

#include <QSet>

#include "RecordTesting.h"
#include "model/MetaDataObject.h"
#include "model/MetadataKeyTable.h"

using recordtesting::filledRecord;
using recordtesting::flagsSet;

TEST(AFreshRecord, holdsEmptyNonNullTextsAndNoFlagsOrSwitches) {
    const MetaDataObject record;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        EXPECT_FALSE((record.*row.field).isNull()) << row.name;
        EXPECT_EQ(record.*row.field, "") << row.name;
        EXPECT_FALSE(record.*row.updated) << row.name;
    }
    EXPECT_FALSE(record.name.isNull());
    EXPECT_EQ(record.name, "");
    EXPECT_EQ(record.editingOption, OnlyModifyEditedFields);
    EXPECT_EQ(MetadataKeyTable::switchesOn(record), 0u);
    EXPECT_FALSE(record.isReset);
    EXPECT_FALSE(record.isLoadedFromLastSession);
}

TEST(AFreshRecord, ownsSixDistinctDefaultRules) {
    const MetaDataObject record;
    QSet<const DateTimeConfiguration*> rules;
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        const DateTimeConfigurationRef& value = record.*rule.member;
        ASSERT_NE(value, nullptr) << rule.name;
        EXPECT_EQ(value->option(), DateTimeConfiguration::KeepOriginal) << rule.name;
        EXPECT_EQ(value->stringUpdateYear, "1905") << rule.name;
        rules.insert(value.get());
    }
    EXPECT_EQ(rules.size(), 6);
}

TEST(ACommonInit, resetsTextsFlagsAndRulesButKeepsOptionAndSwitches) {
    MetaDataObject record = filledRecord("x");
    record.isupdated_Artist = true;
    record.editingOption = CleanMetadataInfo;
    record.clearIPTC = true;
    const DateTimeConfigurationRef oldRule = record.dateTimeConfigModifyDate;
    record.commonInit();
    EXPECT_EQ(record.Artist, "");
    EXPECT_EQ(record.name, "");
    EXPECT_FALSE(record.isupdated_Artist);
    EXPECT_NE(record.dateTimeConfigModifyDate, oldRule);
    EXPECT_EQ(record.editingOption, CleanMetadataInfo);
    EXPECT_TRUE(record.clearIPTC);
}

// ---- Copy ----

TEST(ACopiedRecord, takesEveryValueOptionSwitchAndSharesTheRules) {
    MetaDataObject source = filledRecord("src");
    source.editingOption = CleanMetadataInfo;
    source.clearExif = source.clearIPTC = source.clearComment = source.clearGpsInfo = source.clearXMP = true;
    source.dateTimeConfigOriginalDate = std::make_shared<const DateTimeConfiguration>();
    const MetaDataObject copy = MetaDataObject::initWithObject(source);
    recordtesting::expectSameArchivedValues(copy, source);
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        EXPECT_EQ((copy.*rule.member).get(), (source.*rule.member).get()) << rule.name;
    }
}

TEST(ACopiedRecord, dropsChangeFlagsAndFormBookkeeping) {
    MetaDataObject source;
    source.isupdated_Artist = source.isupdated_XMP_Keyword = source.isupdated_DimResolution_XResolution = true;
    source.isReset = source.isLoadedFromLastSession = true;
    const MetaDataObject copy = MetaDataObject::initWithObject(source);
    EXPECT_EQ(flagsSet(copy), 0);
    EXPECT_FALSE(copy.isReset);
    EXPECT_FALSE(copy.isLoadedFromLastSession);
}

TEST(ACopiedRecord, turnsANullKeywordIntoEmptyButKeepsOtherNulls) {
    MetaDataObject source;
    source.XMP_Keyword = QString();
    source.Artist = QString();
    const MetaDataObject copy = MetaDataObject::initWithObject(source);
    EXPECT_FALSE(copy.XMP_Keyword.isNull());
    EXPECT_EQ(copy.XMP_Keyword, "");
    EXPECT_TRUE(copy.Artist.isNull());
}

// ---- Preset merge ----

struct MergeCase {
    const char* description;
    const char* field;
    std::optional<QString> presetValue;  // nullopt: a null text
    bool presetFlag;
    QString expected;
    bool expectedNull = false;
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << c.description;
}

class APresetMerge : public ::testing::TestWithParam<MergeCase> {};

TEST_P(APresetMerge, decidesEachFieldByValueAndFlag) {
    const MergeCase& c = GetParam();
    const MetadataKeyRow* row = MetadataKeyTable::rowForField(QLatin1String(c.field));
    ASSERT_NE(row, nullptr);
    MetaDataObject target;
    target.*row->field = "target value";
    MetaDataObject preset;
    preset.*row->field = c.presetValue ? *c.presetValue : QString();
    preset.*row->updated = c.presetFlag;
    MetaDataObject::appendPresetObjectToMetaDataObject(target, preset);
    EXPECT_EQ(target.*row->field, c.expected);
    EXPECT_EQ((target.*row->field).isNull(), c.expectedNull);
    EXPECT_EQ(target.*row->updated, c.presetFlag);
}

INSTANTIATE_TEST_SUITE_P(
    FieldRules, APresetMerge,
    ::testing::Values(
        MergeCase{"value wins", "Artist", QString("Ann"), false, "Ann"},
        MergeCase{"empty without flag is nothing to apply", "Artist", QString(""), false, "target value"},
        MergeCase{"null without flag is nothing to apply", "Artist", std::nullopt, false, "target value"},
        MergeCase{"flag alone empties the target", "Artist", QString(""), true, ""},
        MergeCase{"flag alone copies a null", "IPTC_City", std::nullopt, true, "", true},
        MergeCase{"leave blank is a value", "CamSetting_Flash", QString("Leave Blank"), false, "Leave Blank"},
        MergeCase{"last xmp field", "XMP_SerialNumber", QString("S1"), false, "S1"},
        MergeCase{"pixel width never changes", "DimResolution_ExifImageWidth", QString("300"), true, "target value"},
        MergeCase{"resolution never changes", "DimResolution_XResolution", QString("300"), false, "target value"}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.description);
        name.replace(u' ', u'_');
        return name.toStdString();
    });

TEST(APresetMergeOfARecord, takesOptionSwitchesEveryFlagAndTheRulesButNeverTheName) {
    MetaDataObject target = filledRecord("t");
    target.name = "mine";
    target.isupdated_Artist = true;
    target.isReset = true;
    MetaDataObject preset;
    preset.name = "preset";
    preset.editingOption = ModifyEditedClearOthers;
    preset.clearComment = preset.clearXMP = true;
    preset.isupdated_DimResolution_YResolution = true;
    MetaDataObject& result = MetaDataObject::appendPresetObjectToMetaDataObject(target, preset);
    EXPECT_EQ(&result, &target);
    EXPECT_EQ(target.name, "mine");
    EXPECT_EQ(target.editingOption, ModifyEditedClearOthers);
    EXPECT_TRUE(target.clearComment);
    EXPECT_TRUE(target.clearXMP);
    EXPECT_FALSE(target.clearExif);
    EXPECT_FALSE(target.isupdated_Artist);
    EXPECT_TRUE(target.isupdated_DimResolution_YResolution);
    EXPECT_EQ(flagsSet(target), 1);
    EXPECT_TRUE(target.isReset);
    for (const auto& rule : MetadataKeyTable::ruleMembers()) {
        EXPECT_EQ((target.*rule.member).get(), (preset.*rule.member).get()) << rule.name;
    }
}

// ---- Clean-info update ----

struct CleanCase {
    const char* description;
    int editingOption;
    MetadataClearMask switches;
    int emptiedFields;
};

void PrintTo(const CleanCase& c, std::ostream* os) {
    *os << c.description;
}

class ACleanInfoUpdate : public ::testing::TestWithParam<CleanCase> {};

TEST_P(ACleanInfoUpdate, emptiesExactlyTheGroupsOfTheSwitchesOn) {
    const CleanCase& c = GetParam();
    MetaDataObject record = filledRecord("v");
    record.editingOption = c.editingOption;
    for (MetadataClearSwitch s : {MetadataClearSwitch::Exif, MetadataClearSwitch::Comment, MetadataClearSwitch::GpsInfo,
                                  MetadataClearSwitch::IPTC, MetadataClearSwitch::XMP}) {
        record.*MetadataKeyTable::switchMember(s) = hasSwitch(c.switches, s);
    }
    MetaDataObject& result = MetaDataObject::metadataObjectWithCleanInfoUpdation(record);
    EXPECT_EQ(&result, &record);
    int emptied = 0;
    for (const MetadataKeyRow& row : MetadataKeyTable::rows()) {
        const bool cleared = c.editingOption == CleanMetadataInfo && hasSwitch(c.switches, row.clearSwitch);
        EXPECT_EQ((record.*row.field).isEmpty(), cleared) << row.name;
        emptied += (record.*row.field).isEmpty() ? 1 : 0;
    }
    EXPECT_EQ(emptied, c.emptiedFields);
    EXPECT_EQ(record.name, "v");
    EXPECT_EQ(record.editingOption, c.editingOption);
}

constexpr MetadataClearMask kAll = MetadataClearSwitch::Exif | MetadataClearSwitch::Comment |
                                   MetadataClearSwitch::GpsInfo | MetadataClearSwitch::IPTC | MetadataClearSwitch::XMP;

INSTANTIATE_TEST_SUITE_P(
    Switches, ACleanInfoUpdate,
    ::testing::Values(CleanCase{"option0_all_switches", OnlyModifyEditedFields, kAll, 0},
                      CleanCase{"option1_all_switches", ModifyEditedClearOthers, kAll, 0},
                      CleanCase{"exif", CleanMetadataInfo, unsigned(MetadataClearSwitch::Exif), 41},
                      CleanCase{"comment", CleanMetadataInfo, unsigned(MetadataClearSwitch::Comment), 1},
                      CleanCase{"gps", CleanMetadataInfo, unsigned(MetadataClearSwitch::GpsInfo), 9},
                      CleanCase{"iptc", CleanMetadataInfo, unsigned(MetadataClearSwitch::IPTC), 21},
                      CleanCase{"xmp", CleanMetadataInfo, unsigned(MetadataClearSwitch::XMP), 8},
                      CleanCase{"all", CleanMetadataInfo, kAll, 80}, CleanCase{"none", CleanMetadataInfo, 0, 0}),
    [](const auto& info) { return std::string(info.param.description); });

TEST(ACleanInfoUpdateOfExif, leavesCommentGpsIptcAndXmpAlone) {
    MetaDataObject record = filledRecord("v");
    record.editingOption = CleanMetadataInfo;
    record.clearExif = true;
    MetaDataObject::metadataObjectWithCleanInfoUpdation(record);
    EXPECT_EQ(record.Date_Original, "");
    EXPECT_EQ(record.DimResolution_ExifImageWidth, "");
    EXPECT_EQ(record.UserComment, "v:UserComment");
    EXPECT_EQ(record.GPS_Lattitude, "v:GPS_Lattitude");
    EXPECT_EQ(record.IPTC_City, "v:IPTC_City");
    EXPECT_EQ(record.XMP_CreationDate, "v:XMP_CreationDate");
}

// ---- Keyed coding ----

TEST(ARecordArchive, roundTripsEveryArchivedMemberIncludingTheXmpSwitch) {
    MetaDataObject record = filledRecord("a");
    record.editingOption = CleanMetadataInfo;
    record.clearExif = record.clearIPTC = record.clearComment = record.clearGpsInfo = record.clearXMP = true;
    record.isupdated_Cam_Make = true;
    record.isReset = true;
    const std::optional<MetaDataObject> back = MetaDataObject::initWithCoder(record.encodeWithCoder());
    ASSERT_TRUE(back.has_value());
    recordtesting::expectSameArchivedValues(*back, record);
    EXPECT_EQ(flagsSet(*back), 0);
    EXPECT_FALSE(back->isReset);
}

TEST(ARecordArchive, writesOneKeyPerMemberNamedAsTheMember) {
    const QJsonObject coder = MetaDataObject().encodeWithCoder();
    EXPECT_EQ(coder.value("$class").toString(), "MetaDataObject");
    EXPECT_TRUE(coder.value("GPS_Lattitude").isString());
    EXPECT_TRUE(coder.value("AdvCamSetting_MateringMode").isString());
    EXPECT_TRUE(coder.value("dateTimeConfigPhotoshopCreationDate").isObject());
    EXPECT_EQ(coder.value("clearXMP").toInt(-1), 0);
    EXPECT_FALSE(coder.contains("isupdated_Artist"));
    EXPECT_FALSE(coder.contains("isReset"));
    // 80 fields, option, five switches, name, six rules and the class.
    EXPECT_EQ(coder.size(), 80 + 1 + 5 + 1 + 6 + 1);
}

TEST(ARecordArchive, keepsNullApartFromEmpty) {
    MetaDataObject record;
    record.Artist = QString();
    record.Copyright = "";
    record.name = QString();
    record.dateTimeConfigModifyDate = nullptr;
    const std::optional<MetaDataObject> back = MetaDataObject::initWithCoder(record.encodeWithCoder());
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->Artist.isNull());
    EXPECT_FALSE(back->Copyright.isNull());
    EXPECT_TRUE(back->name.isNull());
    EXPECT_EQ(back->dateTimeConfigModifyDate, nullptr);
}

TEST(ARecordArchive, decodesMissingKeysAsNullAndZeroWithoutDefaults) {
    QJsonObject coder;
    coder.insert("$class", "MetaDataObject");
    coder.insert("IPTC_City", "Paris");
    coder.insert("clearGpsInfo", 1);
    const std::optional<MetaDataObject> back = MetaDataObject::initWithCoder(coder);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->IPTC_City, "Paris");
    EXPECT_TRUE(back->clearGpsInfo);
    EXPECT_FALSE(back->clearXMP);
    EXPECT_EQ(back->editingOption, OnlyModifyEditedFields);
    EXPECT_TRUE(back->Artist.isNull());
    EXPECT_TRUE(back->name.isNull());
    for (const auto& rule : MetadataKeyTable::ruleMembers()) EXPECT_EQ((*back).*rule.member, nullptr) << rule.name;
}

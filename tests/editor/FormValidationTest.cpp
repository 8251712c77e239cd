#include <gtest/gtest.h>

#include <QMap>

#include "editor/FormValidation.h"
#include "editor/StartDecision.h"
#include "model/MetadataKeyTable.h"

namespace {

struct TextCase {
    QString text;
    bool decimalPasses;
    bool integerPasses;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << '"' << c.text.toStdString() << '"';
}

class TheFieldRules : public testing::TestWithParam<TextCase> {};

// One text in a decimal field (the F-number) and in an integer field (ISO) of the gate.
TEST_P(TheFieldRules, acceptWhatTheWriterCanStore) {
    const TextCase& c = GetParam();
    for (const char* field : {"CamSetting_FNumber", "CamSetting_ISO"}) {
        const bool decimal = QLatin1String(field) == "CamSetting_FNumber";
        const auto failure = FormValidation::firstFailingField(
            [&](const QString& name) { return name == QLatin1String(field) ? c.text : QString(); }, MetaDataObject());
        EXPECT_EQ(!failure, decimal ? c.decimalPasses : c.integerPasses) << field << " " << c.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TheFieldRules,
    testing::Values(TextCase{"", true, true}, TextCase{"12", true, true}, TextCase{"12.5", true, true},
                    TextCase{"12,5", true, true}, TextCase{".5", true, true}, TextCase{"5.", true, true},
                    TextCase{".", true, true}, TextCase{",", true, true},
                    TextCase{QString::fromUtf8("\u0661\u0662.\u0665"), true, true},  // Arabic-Indic digits
                    TextCase{"-12.5", false, false}, TextCase{"1/250", false, true}, TextCase{"1e5", false, false},
                    TextCase{"1.2.3", false, true}, TextCase{" 12", false, true}, TextCase{"abc", false, true},
                    TextCase{"65535", true, true}, TextCase{"65535.5", true, false}, TextCase{"70000", true, false},
                    TextCase{"-1", false, false}, TextCase{"-0.5", false, true}, TextCase{"0", true, true},
                    // Far outside 32 bits: must fail, not convert into a small number.
                    TextCase{"99999999999999999999", true, false}, TextCase{"-4294967296", false, false},
                    TextCase{"4294967296", true, false}));

// The texts of the form's fields by field name; absent fields are empty.
std::function<QString(const QString&)> fields(QMap<QString, QString> texts) {
    return [texts](const QString& name) { return texts.value(name); };
}

TEST(TheFormGate, reportsOnlyTheFirstFailingFieldInItsOrder) {
    struct Case {
        QMap<QString, QString> texts;
        QString failingField;
        QString label;       // null: the label keeps its text
        bool edited = true;  // the fields given a text were edited, not read from the photos
    };
    const QString limit = "* Value cannot be greater than 65535";
    const QString numeric = "* Value can be only numeric type.";
    const Case cases[] = {
        {{}, QString(), QString()},
        {{{"XMP_Latitude", "-48.8 N"}, {"XMP_Longitude", "abc"}}, QString(), QString()},
        {{{"GPS_ImgDirection", "abc"}, {"DimResolution_ExifImageWidth", "x"}}, QString(), QString()},
        {{{"GPS_Lattitude", "-48.85"}}, "GPS_Lattitude", numeric},
        {{{"GPS_Lattitude", "200"}, {"GPS_Longitude", "500.5"}}, "GPS_Lattitude", "* Value cannot be greater than 90"},
        {{{"GPS_Lattitude", "90"}, {"GPS_Longitude", "500.5"}}, "GPS_Longitude", "* Value cannot be greater than 180"},
        {{{"GPS_Lattitude", "90"}, {"GPS_Longitude", "180"}}, QString(), QString()},
        // The photos' own position is written back as they hold it, even one off the globe.
        {{{"GPS_Lattitude", "200"}, {"GPS_Longitude", "500.5"}}, QString(), QString(), false},
        {{{"GPS_Lattitude", "-48.85"}}, "GPS_Lattitude", QString(), false},
        {{{"CamSetting_ISO", "70000"}, {"GPS_Altitude", "x"}}, "GPS_Altitude", QString()},
        {{{"CamSetting_ISO", "70000"}, {"AdvCamSetting_Sharpness", "-1"}}, "CamSetting_ISO", limit},
        {{{"CamSetting_FocalLengthIn35mmFormat", "1e9"}, {"AdvCamSetting_ExposureTime", "1/250"}},
         "CamSetting_FocalLengthIn35mmFormat",
         limit},
        {{{"AdvCamSetting_ExposureTime", "1/250"}}, "AdvCamSetting_ExposureTime", QString()},
        {{{"CamSetting_FNumber", "f/2.8"}, {"CamSetting_FocalLength", "x"}}, "CamSetting_FNumber", QString()},
    };
    for (const Case& c : cases) {
        MetaDataObject record;
        QStringList given;
        for (const QString& name : c.texts.keys()) {
            record.*MetadataKeyTable::rowForField(name)->updated = c.edited;
            given.append(name + "=" + c.texts.value(name));
        }
        SCOPED_TRACE((given.join(", ") + (c.edited ? " edited" : " as read")).toStdString());
        const auto result = FormValidation::isValidFormData(fields(c.texts), record);
        EXPECT_EQ(result.valid, c.failingField.isNull()) << c.failingField.toStdString();
        EXPECT_EQ(result.failure ? result.failure->fieldName : QString(), c.failingField);
        if (result.failure) {
            EXPECT_EQ(result.failure->labelText, c.label);
            EXPECT_EQ(result.failure->labelText.isNull(), c.label.isNull());
        }
    }
    EXPECT_EQ(FormValidation::checkedFields().size(), 13u);
}

struct DateCase {
    const char* name;
    int option;
    QString day, month, year;
    bool keepDay, keepMonth, keepYear;
    bool valid;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.name;
}

class TheDateChecks : public testing::TestWithParam<DateCase> {};

TEST_P(TheDateChecks, refuseDaysTheMonthCannotHaveInEveryRule) {
    const DateCase& c = GetParam();
    for (const auto& member : MetadataKeyTable::ruleMembers()) {
        MetaDataObject record;
        auto rule = std::make_shared<DateTimeConfiguration>();
        rule->tagConfigureOption = c.option;
        rule->stringUpdateDay = c.day;
        rule->stringUpdateMonth = c.month;
        rule->stringUpdateYear = c.year;
        rule->isUpdateDayKeepOriginal = c.keepDay;
        rule->isUpdateMonthKeepOriginal = c.keepMonth;
        rule->isUpdateYearKeepOriginal = c.keepYear;
        record.*member.member = rule;
        EXPECT_EQ(FormValidation::checkDateTimeDataValidations(record), c.valid) << member.name;
        const auto result = FormValidation::isValidFormData(fields({}), record);
        EXPECT_EQ(result.valid, c.valid);
        EXPECT_FALSE(result.failure.has_value()) << "a date failure marks no field";
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, TheDateChecks,
                         testing::Values(DateCase{"april31", 3, "31", "4", "2020", false, false, false, false},
                                         DateCase{"december31", 3, "31", "12", "2020", false, false, false, true},
                                         DateCase{"january30", 3, "30", "1", "2020", false, false, false, true},
                                         DateCase{"leapDay2024", 3, "29", "2", "2024", false, false, false, true},
                                         DateCase{"leapDay2023", 3, "29", "2", "2023", false, false, false, false},
                                         DateCase{"leapDay1900", 3, "29", "2", "1900", false, false, false, false},
                                         DateCase{"leapDay2000", 3, "29", "2", "2000", false, false, false, true},
                                         DateCase{"leapDayYearKept", 3, "29", "2", "2023", false, false, true, true},
                                         DateCase{"february30YearKept", 3, "30", "2", "2024", false, false, true,
                                                  false},
                                         DateCase{"february31", 3, "31", "2", "2024", false, false, false, false},
                                         DateCase{"dayFromPhoto", 3, "31", "4", "2020", true, false, false, true},
                                         DateCase{"monthFromPhoto", 3, "30", "2", "2020", false, true, false, true},
                                         DateCase{"otherMode", 2, "31", "4", "2020", false, false, false, true},
                                         DateCase{"dayAbove31", 3, "40", "1", "2020", false, false, false, true},
                                         DateCase{"textDay", 3, "x", "4", "2020", false, false, false, true}),
                         [](const testing::TestParamInfo<DateCase>& info) { return std::string(info.param.name); });

TEST(TheStartDecision, choosesBetweenThePanelAndAlerts112To115) {
    struct Case {
        bool valid;
        int mode, replace, addString, date, location, size;
        QString name, prefix, suffix;
        StartDecision::Outcome outcome;
    };
    using O = StartDecision;
    const Case cases[] = {
        {false, 0, 0, 0, 0, 0, 0, "", "", "", O::ErrorsFound},
        {false, 1, 1, 0, 0, 0, 0, "", "", "", O::ErrorsFound},
        {true, 0, 0, 0, 0, 0, 0, "", "", "", O::OpenDestinationPanel},
        {true, 1, 0, 0, 0, 0, 0, "", "", "", O::NoRenamingOptionChosen},
        {true, 1, 2, 0, 0, 0, 0, "", "", "", O::NoRenamingOptionChosen},  // only exactly 1 is ticked
        {true, 1, 1, 0, 0, 0, 0, "", "", "", O::FilenameBlank},
        {true, 1, 1, 1, 0, 0, 0, "", "", "", O::FilenameBlank},
        {true, 1, 1, 1, 0, 0, 0, "trip", "", "", O::PrefixSuffixBlank},
        {true, 1, 0, 1, 0, 0, 0, "", "", "x", O::OpenDestinationPanel},
        {true, 1, 0, 0, 1, 0, 0, "", "", "", O::OpenDestinationPanel},
        {true, 1, 0, 0, 0, 0, 1, "", "", "", O::OpenDestinationPanel},
    };
    for (const Case& c : cases) {
        OutputRenamingOptions options;
        options.renamingOptionIndex = c.mode;
        options.replaceFilenameCheck = c.replace;
        options.addStringCheck = c.addString;
        options.addEXIFDateTimeCheck = c.date;
        options.addEXIFLocationCheck = c.location;
        options.appendWidthHeightCheck = c.size;
        EXPECT_EQ(StartDecision::decide(c.valid, options, c.name, c.prefix, c.suffix), c.outcome);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "model/OutputRenamingOptions.h"
#include "platform/StandardPaths.h"

TEST(FreshRenamingOptions, keepNamesAndWriteIntoTheLumarindPicturesFolder) {
    const OutputRenamingOptions options;
    EXPECT_EQ(options.renamingOptionIndex, OutputRenamingOptions::KeepFileName);
    for (int tick : {options.addStringCheck, options.addEXIFDateTimeCheck, options.addEXIFLocationCheck,
                     options.appendWidthHeightCheck, options.replaceFilenameCheck, options.sourceFolderSelected}) {
        EXPECT_EQ(tick, 0);
    }
    EXPECT_EQ(options.outputFolderPathName, platform::StandardPaths::picturesFolder() + "/Lumarind");
    EXPECT_EQ(options.addEXIFDateTime.formatValue, 0);
    EXPECT_EQ(options.addEXIFLocation.stateTick, 1);
}

struct DateFormatCase {
    int index;
    const char* label;
    const char* written;  // 2021:03:05 14:05:09
};

void PrintTo(const DateFormatCase& c, std::ostream* os) {
    *os << c.label;
}

class ADateFormatIndex : public ::testing::TestWithParam<DateFormatCase> {};

TEST_P(ADateFormatIndex, writesThePhotoDateInTheFormOfItsLabel) {
    const DateFormatCase& c = GetParam();
    EXPECT_EQ(AddEXIFDateTime::formatLabel(c.index), c.label);
    AddEXIFDateTime date;
    date.formatValue = c.index;
    EXPECT_EQ(date.formattedDate("2021:03:05 14:05:09"), c.written);
}

INSTANTIATE_TEST_SUITE_P(Twenty, ADateFormatIndex,
                         ::testing::Values(DateFormatCase{0, "DDMMYYYY", "05032021"},
                                           DateFormatCase{1, "DDMMYYYY_HHMM", "05032021_1405"},
                                           DateFormatCase{2, "DDMMYYYY_HH-MM", "05032021_14-05"},
                                           DateFormatCase{3, "DDMMYYYY_HHMMSS", "05032021_140509"},
                                           DateFormatCase{4, "DDMMYYYY_HH-MM-SS", "05032021_14-05-09"},
                                           DateFormatCase{5, "DD-MM-YYYY", "05-03-2021"},
                                           DateFormatCase{6, "DD-MM-YYYY_HHMM", "05-03-2021_1405"},
                                           DateFormatCase{7, "DD-MM-YYYY_HH-MM", "05-03-2021_14-05"},
                                           DateFormatCase{8, "DD-MM-YYYY_HHMMSS", "05-03-2021_140509"},
                                           DateFormatCase{9, "DD-MM-YYYY_HH-MM-SS", "05-03-2021_14-05-09"},
                                           DateFormatCase{10, "MM-DD-YYYY", "03-05-2021"},
                                           DateFormatCase{11, "MM-DD-YYYY_HHMM", "03-05-2021_1405"},
                                           DateFormatCase{12, "MM-DD-YYYY_HH-MM", "03-05-2021_14-05"},
                                           DateFormatCase{13, "MM-DD-YYYY_HHMMSS", "03-05-2021_140509"},
                                           DateFormatCase{14, "MM-DD-YYYY_HH-MM-SS", "03-05-2021_14-05-09"},
                                           DateFormatCase{15, "YYYY-MM-DD", "2021-03-05"},
                                           DateFormatCase{16, "YYYY-MM-DD_HHMM", "2021-03-05_1405"},
                                           DateFormatCase{17, "YYYY-MM-DD_HH-MM", "2021-03-05_14-05"},
                                           DateFormatCase{18, "YYYY-MM-DD_HHMMSS", "2021-03-05_140509"},
                                           DateFormatCase{19, "YYYY-MM-DD_HH-MM-SS", "2021-03-05_14-05-09"}),
                         [](const auto& info) { return "index" + std::to_string(info.param.index); });

TEST(ADateFormatIndex, outsideTheTableWritesNothing) {
    AddEXIFDateTime date;
    date.formatValue = 20;
    EXPECT_EQ(date.formattedDate("2021:03:05 14:05:09"), "");
    EXPECT_EQ(AddEXIFDateTime::formatPattern(-1), "");
    date.formatValue = 7;
    EXPECT_EQ(date.formattedDate("not a date"), "");
}

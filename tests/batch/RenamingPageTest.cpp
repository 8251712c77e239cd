#include <gtest/gtest.h>

#include <functional>

#include "batch/RenamingPage.h"

namespace {

using Page = RenamingPage;

Page editingNames() {
    Page page;
    page.chooseRenamingMode(OutputRenamingOptions::NewFileName);
    return page;
}

struct PageCase {
    const char* name;
    std::function<void(Page&)> steps;
    std::function<void(const Page&)> check;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.name;
}

class TheRenamingPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(TheRenamingPage, followsItsRules) {
    Page page = editingNames();
    GetParam().steps(page);
    GetParam().check(page);
}

const PageCase kPageCases[] = {
    {"placeTicksAllFourParts", [](Page& p) { p.setNamePartTicked(Page::LocationPart, true); },
     [](const Page& p) {
         EXPECT_EQ(p.locationText, "{Place}_{City}_{State}_{Country}");
         EXPECT_TRUE(p.placePartsEnabled);
         for (auto part : {Page::Place, Page::City, Page::State, Page::Country}) EXPECT_TRUE(p.isPlaceTicked(part));
     }},
    {"untickingCityDropsItFromThePattern",
     [](Page& p) {
         p.setNamePartTicked(Page::LocationPart, true);
         p.setPlacePartTicked(Page::City, false);
     },
     [](const Page& p) {
         EXPECT_EQ(p.locationText, "{Place}_{State}_{Country}");
         EXPECT_EQ(p.locationPlaceholder, "{Place}_{State}_{Country}");
         EXPECT_EQ(p.locationCheck, 1);
     }},
    {"untickingEveryPlacePartTurnsThePlaceOff",
     [](Page& p) {
         p.setNamePartTicked(Page::LocationPart, true);
         for (auto part : {Page::Place, Page::City, Page::State, Page::Country}) p.setPlacePartTicked(part, false);
     },
     [](const Page& p) {
         EXPECT_EQ(p.locationCheck, 0);
         EXPECT_FALSE(p.placePartsEnabled);
         EXPECT_EQ(p.locationText, "");
         EXPECT_EQ(p.locationPlaceholder, "{Place}_{City}_{State}_{Country}");
     }},
    {"placePartsAreIgnoredWhileThePlaceIsOff", [](Page& p) { p.setPlacePartTicked(Page::City, true); },
     [](const Page& p) {
         EXPECT_EQ(p.cityCheck, 0);
         EXPECT_EQ(p.locationText, "");
     }},
    {"untickingTheDatePutsItsChoicesBack",
     [](Page& p) {
         p.setNamePartTicked(Page::ExifDatePart, true);
         p.filenameSelectionChangedWithIndex(1);
         p.dateTypeWithIndex(2);
         p.dateFormatWithIndex(19);
         p.setNamePartTicked(Page::ExifDatePart, false);
     },
     [](const Page& p) {
         EXPECT_EQ(p.asLabel, "Prefix");
         EXPECT_EQ(p.typeLabel, "Original Date/Time");
         EXPECT_EQ(p.formatLabel, "DDMMYYYY");
         EXPECT_EQ(p.selectedAsOptionIndex + p.selectedDateType + p.selectedDateFormat, 0);
         EXPECT_FALSE(p.dateButtonsEnabled);
     }},
    {"dateChoicesShowTheirLabels",
     [](Page& p) {
         p.setNamePartTicked(Page::ExifDatePart, true);
         p.filenameSelectionChangedWithIndex(1);
         p.dateTypeWithIndex(2);
         p.dateFormatWithIndex(19);
         p.dateFormatWithIndex(20);  // outside the list: nothing
     },
     [](const Page& p) {
         EXPECT_EQ(p.asLabel, "Suffix");
         EXPECT_EQ(p.typeLabel, "Modify Date");
         EXPECT_EQ(p.formatLabel, "YYYY-MM-DD_HH-MM-SS");
         EXPECT_EQ(p.selectedDateFormat, 19);
         EXPECT_TRUE(p.dateButtonsEnabled);
     }},
    {"theResetKeepsTheDateCodes",
     [](Page& p) {
         p.setNamePartTicked(Page::ExifDatePart, true);
         p.dateFormatWithIndex(7);
         p.refreshOutputRenamingOptionOnTapped();
     },
     [](const Page& p) {
         EXPECT_EQ(p.selectedDateFormat, 7);
         EXPECT_EQ(p.formatLabel, "DDMMYYYY");
         EXPECT_EQ(p.dateTimeCheck, 0);
     }},
    {"keepNamesResetsEveryChoiceAndText",
     [](Page& p) {
         p.setNamePartTicked(Page::ReplaceFilenamePart, true);
         p.typeCustomName("Holiday");
         p.setNamePartTicked(Page::AddStringPart, true);
         p.typePrefix("pre");
         p.setNamePartTicked(Page::WidthHeightPart, true);
         p.setNamePartTicked(Page::LocationPart, true);
         p.chooseRenamingMode(OutputRenamingOptions::KeepFileName);
     },
     [](const Page& p) {
         EXPECT_EQ(p.imageRenamingOptions, 0);
         EXPECT_FALSE(p.anyNamePartTicked());
         EXPECT_EQ(p.customName + p.prefix + p.locationText + p.widthHeightText, "");
         EXPECT_FALSE(p.namePartsEnabled || p.refreshEnabled || p.customNameEditable || p.prefixSuffixEditable);
     }},
    {"untickingANameFieldEmptiesIt",
     [](Page& p) {
         p.setNamePartTicked(Page::AddStringPart, true);
         p.typePrefix("a");
         p.typeSuffix("b");
         p.setNamePartTicked(Page::AddStringPart, false);
     },
     [](const Page& p) {
         EXPECT_EQ(p.prefix + p.suffix, "");
         EXPECT_FALSE(p.prefixSuffixEditable);
     }},
    {"prefixAndSuffixLoseSlashesAndSpaces",
     [](Page& p) {
         p.typePrefix("a/b c");
         p.typeSuffix(QString(60, u'x') + "/");
     },
     [](const Page& p) {
         EXPECT_EQ(p.prefix, "abc");
         EXPECT_EQ(p.suffix, QString(50, u'x'));
     }},
    {"theCustomNameKeepsInnerSpaces", [](Page& p) { p.typeCustomName("  my/ trip "); },
     [](const Page& p) { EXPECT_EQ(p.customName, "my trip "); }},
    {"aCustomNameOfSpacesIsEmpty", [](Page& p) { p.typeCustomName(" / "); },
     [](const Page& p) { EXPECT_EQ(p.customName, ""); }},
    {"backWithAnEmptyNameStays", [](Page& p) { p.setNamePartTicked(Page::ReplaceFilenamePart, true); },
     [](const Page& p) { EXPECT_EQ(p.backCheck(), 114); }},
    {"backWithNeitherPrefixNorSuffixStays", [](Page& p) { p.setNamePartTicked(Page::AddStringPart, true); },
     [](const Page& p) { EXPECT_EQ(p.backCheck(), 115); }},
    {"backWithNoPartTickedLeavesWithoutTheNotice", [](Page&) {},
     [](const Page& p) {
         EXPECT_EQ(p.backCheck(), 0);
         EXPECT_FALSE(p.showsRenameNotice());
     }},
    {"aTickedPartShowsTheNotice", [](Page& p) { p.setNamePartTicked(Page::WidthHeightPart, true); },
     [](const Page& p) {
         EXPECT_TRUE(p.showsRenameNotice());
         EXPECT_EQ(p.widthHeightText, "Filename_{Width}X{Height}");
     }},
};

INSTANTIATE_TEST_SUITE_P(Steps, TheRenamingPage, ::testing::ValuesIn(kPageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TheRenamingPageRecord, takesOnlyTickedPartsWithTheDestination) {
    Page page = editingNames();
    page.setNamePartTicked(Page::ReplaceFilenamePart, true);
    page.typeCustomName("Trip");
    page.setNamePartTicked(Page::LocationPart, true);
    page.setPlacePartTicked(Page::State, false);
    page.setNamePartTicked(Page::AddStringPart, true);
    page.typePrefix("p");
    page.setNamePartTicked(Page::AddStringPart, false);  // its texts go with it

    const OutputRenamingOptions record = page.getOutputFileRenamingSetting(1, "/out/Folder");
    EXPECT_EQ(record.renamingOptionIndex, 1);
    EXPECT_EQ(record.replaceFilename.customNameValue, "Trip");
    EXPECT_EQ(record.addEXIFLocationCheck, 1);
    EXPECT_EQ(record.addEXIFLocation.stateTick, 0);
    EXPECT_EQ(record.addEXIFLocation.cityTick, 1);
    EXPECT_EQ(record.addStringCheck, 0);
    EXPECT_EQ(record.addString.addStringPrefixValue, "");
    EXPECT_EQ(record.sourceFolderSelected, 1);
    EXPECT_EQ(record.outputFolderPathName, "/out/Folder");
}

}  // namespace

#include "batch/BatchTexts.h"
#include "batch/EditorAlert.h"

#include <gtest/gtest.h>

namespace {

using Button = EditorAlert::Button;

struct AlertCase {
    const char* name;
    int tag;
    EditorAlertCounts counts;
    const char* title;
    const char* text;
    QList<Button> buttons;
};

void PrintTo(const AlertCase& c, std::ostream* os) {
    *os << c.name;
}

EditorAlertCounts refused(int damaged, int unreadable = 0) {
    EditorAlertCounts counts;
    counts.damagedFileCount = damaged;
    counts.unreadableNameCount = unreadable;
    return counts;
}

EditorAlertCounts refusedFor(int damaged, int names, int reads, int libraries) {
    EditorAlertCounts counts = refused(damaged, names);
    counts.failedReadCount = reads;
    counts.lockedLibraryCount = libraries;
    return counts;
}

EditorAlertCounts duplicates(int count) {
    EditorAlertCounts counts;
    counts.damagedFileCount = counts.alreadyExistsPhotosCount = count;
    return counts;
}

EditorAlertCounts selected(int count) {
    EditorAlertCounts counts;
    counts.totalPhotosSelected = count;
    return counts;
}

const QList<Button> kYesNo{Button::Yes, Button::No};
const QList<Button> kOk{Button::OK};

class AnEditorAlert : public ::testing::TestWithParam<AlertCase> {};

TEST_P(AnEditorAlert, readsAsShownWithItsButtons) {
    const AlertCase& c = GetParam();
    const std::optional<EditorAlert> alert = EditorAlert::forTag(c.tag, c.counts);
    ASSERT_TRUE(alert);
    EXPECT_EQ(int(alert->tag), c.tag);
    EXPECT_EQ(alert->title, QString::fromUtf8(c.title));
    EXPECT_EQ(alert->text, QString::fromUtf8(c.text));
    EXPECT_EQ(alert->buttons, c.buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, AnEditorAlert,
    ::testing::Values(
        AlertCase{"missingSource",
                  103,
                  {},
                  "REMOVE FROM BATCH",
                  "This photo is not available at the Source location.",
                  {Button::RemoveFromBatch}},
        AlertCase{"removeOne", 106, selected(1), "REMOVE PHOTO",
                  "Remove Photo! All your changes to exif info will be lost. Do you wish to proceed?", kYesNo},
        AlertCase{"removeTwo", 106, selected(2), "REMOVE PHOTOS",
                  "Remove Photos! All your changes to exif info will be lost. Do you wish to proceed?", kYesNo},
        AlertCase{"limit", 107, EditorAlertCounts{.photosLimit = 100000}, "PHOTOS LIMIT EXCEEDED",
                  "Photo limit exceeded! A Batch of 100000 photos can be processed at a time.", kOk},
        AlertCase{"refusedOne", 108, refused(1), "FILE CANNOT BE ADDED",
                  "File cannot be added. It is either damaged or not supported by application.", kOk},
        AlertCase{"refusedThree", 108, refused(3), "FILES CANNOT BE ADDED",
                  "Some files cannot be added. They are either damaged or not supported by application.", kOk},
        AlertCase{"unreadableNameOne", 108, refused(1, 1), "FILE CANNOT BE ADDED",
                  "File cannot be added. Its name cannot be read. Please rename it and add it again.", kOk},
        AlertCase{"unreadableNamesTwo", 108, refused(2, 2), "FILES CANNOT BE ADDED",
                  "Some files cannot be added. Their names cannot be read. Please rename them and add them again.",
                  kOk},
        AlertCase{"unreadableNameAmongDamaged", 108, refused(3, 1), "FILES CANNOT BE ADDED",
                  "Some files cannot be added. They are either damaged or not supported by application. The name of "
                  "1 file cannot be read. Please rename it and add it again.",
                  kOk},
        AlertCase{"failedReadOne", 108, refusedFor(1, 0, 1, 0), "FILE CANNOT BE ADDED",
                  "File cannot be added. Its metadata could not be read: the metadata library stopped on it twice, "
                  "so it may be damaged.",
                  kOk},
        AlertCase{"lockedLibrary", 108, refusedFor(1, 0, 0, 1), "FILE CANNOT BE ADDED",
                  "File cannot be added. The photo library is locked by another program. Please quit that program "
                  "and add the library again.",
                  kOk},
        AlertCase{"everyReasonOnce", 108, refusedFor(3, 1, 1, 1), "FILES CANNOT BE ADDED",
                  "Some files cannot be added. The name of 1 file cannot be read. Please rename it and add it again. "
                  "The metadata of 1 file could not be read: the metadata library stopped on it twice, so it may be "
                  "damaged. A photo library is locked by another program. Please quit that program and add the "
                  "library again.",
                  kOk},
        AlertCase{"duplicateOne", 109, duplicates(1), "PHOTO EXISTS", "Photo already exists in batch!", kOk},
        AlertCase{"duplicatesThree", 109, duplicates(3), "PHOTOS EXISTS", "Photos already exist in batch!", kOk},
        AlertCase{"noChanges",
                  111,
                  {},
                  "NO CHANGES IN EXIF DATA",
                  "There are no changes observed in the EXIF data. Do you still wish to proceed?",
                  kYesNo},
        AlertCase{"errors",
                  112,
                  {},
                  "ERRORS FOUND",
                  "Cannot process EXIF info changes! Please check for error messages.",
                  kOk},
        AlertCase{"noRenaming",
                  113,
                  {},
                  "Warning Found",
                  "No renaming option selected! Your files will be saved with their original filename. Do you wish "
                  "to proceed?",
                  kYesNo},
        AlertCase{"folderNotWritable", 116, EditorAlertCounts{.unwritableFolder = "/media/card"},
                  "CANNOT WRITE TO FOLDER",
                  "Lumarind cannot write into the folder \"/media/card\", so no photo was processed. Please choose a "
                  "folder you can write to.",
                  kOk},
        // No folder was chosen: the advice is to look at the folders the copies were to go to.
        AlertCase{"sourceFoldersNotWritable", 116,
                  EditorAlertCounts{.unwritableFolder = "/media/card/DCIM",
                                    .unwritableDestination = CopyDestination::SourceFolders},
                  "CANNOT WRITE TO FOLDER",
                  "Lumarind cannot write into the folder \"/media/card/DCIM\" or any other folder of the photos, so "
                  "no photo was processed. Please check that the photos' folders can be written to.",
                  kOk},
        AlertCase{"copiesNotWritable", 116,
                  EditorAlertCounts{.unwritableFolder = "/media/card/Out",
                                    .unwritableDestination = CopyDestination::EarlierCopies},
                  "CANNOT WRITE TO FOLDER",
                  "Lumarind cannot write into the folder \"/media/card/Out\" or any other folder of the processed "
                  "copies, so no photo was restored. Please check that those folders still exist and can be written "
                  "to.",
                  kOk}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnEditorAlertTag, withoutAnEntryGivesNoAlert) {
    for (int tag : {99, 105, 117, 0, -1}) EXPECT_FALSE(EditorAlert::forTag(tag)) << tag;
}

struct LineCase {
    const char* name;
    qint64 handled, runCount, processed, errors, warnings, skipped, elapsed;
    const char* batchLine;
    const char* processLine;
    QStringList processValues;
    const char* errorsLabel;
    const char* title;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class ARunsTexts : public ::testing::TestWithParam<LineCase> {};

TEST_P(ARunsTexts, followTheCounts) {
    const LineCase& c = GetParam();
    EXPECT_EQ(BatchTexts::batchLine(c.runCount, c.processed).text, QString::fromUtf8(c.batchLine));
    const BatchInfoLine process = BatchTexts::processLine(c.handled, c.runCount, c.errors, c.elapsed);
    EXPECT_EQ(process.text, QString::fromUtf8(c.processLine));
    QStringList highlighted;
    for (const auto& [start, length] : process.highlights) highlighted.append(process.text.mid(start, length));
    EXPECT_EQ(highlighted, c.processValues);
    EXPECT_EQ(BatchTexts::errorsLabel(c.errors, c.warnings), QString::fromUtf8(c.errorsLabel));
    EXPECT_EQ(BatchTexts::summaryTitle(c.skipped), QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ARunsTexts,
    ::testing::Values(
        LineCase{"oneOfThree",
                 1,
                 3,
                 1,
                 0,
                 0,
                 2,
                 0,
                 "Batch Count: 3  |  Photos Processed: 1",
                 "Process Completed: 33 %  |  Error reported: 0  |  Time elapsed:  less than a second",
                 {"33 %", "0", " less than a second"},
                 "Error Found(0) Warning Found(0)",
                 "Batch Process Stopped"},
        LineCase{"oneErrorOneWarning",
                 3,
                 3,
                 2,
                 1,
                 1,
                 0,
                 65,
                 "Batch Count: 3  |  Photos Processed: 2",
                 "Process Completed: 100 %  |  Error reported: 1  |  Time elapsed:  1 minute 5 seconds approx.",
                 {"100 %", "1", " 1 minute 5 seconds"},
                 "Error Found(1) Warning Found(1)",
                 "Batch Process Finished"},
        LineCase{"severalErrors",
                 2,
                 3,
                 0,
                 2,
                 0,
                 1,
                 7322,
                 "Batch Count: 3  |  Photos Processed: 0",
                 "Process Completed: 66 %  |  Errors reported: 2  |  Time elapsed: 2 hours 2 minutes 2 seconds "
                 "approx.",
                 {"66 %", "2", "2 hours 2 minutes 2 seconds"},
                 "Errors Found(2) Warning Found(0)",
                 "Batch Process Stopped"},
        LineCase{"severalWarnings",
                 3,
                 3,
                 3,
                 0,
                 3,
                 0,
                 59,
                 "Batch Count: 3  |  Photos Processed: 3",
                 "Process Completed: 100 %  |  Error reported: 0  |  Time elapsed:  59 seconds approx.",
                 {"100 %", "0", " 59 seconds"},
                 "Error Found(0) Warnings Found(3)",
                 "Batch Process Finished"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ABatchLine, highlightsEveryOccurrenceOfEachNumber) {
    const BatchInfoLine line = BatchTexts::batchLine(10, 1);
    QList<qsizetype> starts;
    for (const auto& [start, length] : line.highlights) starts.append(start);
    std::sort(starts.begin(), starts.end());
    // "10" once, and "1" both inside "10" and on its own.
    EXPECT_EQ(starts, (QList<qsizetype>{13, 13, 38}));
}

}  // namespace

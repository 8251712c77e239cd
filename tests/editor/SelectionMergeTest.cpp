#include "editor/SelectionMerge.h"
#include "editor/SelectionPlaceholders.h"
#include "editor/SelectionReload.h"
#include "model/MetadataKeyTable.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace {

using Values = std::map<QString, QString>;

PhotoFile photoWith(const Values& values) {
    MetaDataObject record;
    for (const auto& [field, value] : values) record.*(MetadataKeyTable::rowForField(field)->field) = value;
    PhotoFile photo;
    photo.metadataObject = record;
    return photo;
}

struct MergeCase {
    const char* name;
    std::vector<Values> photos;
    Values expected;                         // merged values of the fields named here
    std::vector<QString> edited;             // isupdated_ set in the form's record
    std::map<QString, QString> placeholder;  // what the (then empty) field shows
    friend void PrintTo(const MergeCase& row, std::ostream* os) { *os << row.name; }
};

class ASelectionMerge : public ::testing::TestWithParam<MergeCase> {};

TEST_P(ASelectionMerge, keepsWhatAllPhotosShareAndMarksWhereTheyDisagree) {
    const MergeCase& c = GetParam();
    QList<PhotoFile> photos;
    for (const Values& v : c.photos) photos.append(photoWith(v));
    const auto result = SelectionMerge::updateMetaDataObjectForSelectedFiles(photos);
    ASSERT_TRUE(result);
    for (const auto& [field, value] : c.expected)
        EXPECT_EQ(result->merged.*(MetadataKeyTable::rowForField(field)->field), value) << field.toStdString();

    MetaDataObject form = MetaDataObject::initWithObject(result->merged);
    for (const QString& field : c.edited) form.*(MetadataKeyTable::rowForField(field)->updated) = true;
    const SelectionPlaceholders placeholders(result->photoCount, result->heldByAny, form);
    for (const auto& [field, shown] : c.placeholder) {
        const FormFieldTraits& traits = *FormFieldTraits::forField(field);
        // A placeholder is seen only in an empty field.
        const QString seen = (form.*(traits.row->field)).isEmpty() ? placeholders.placeholderFor(traits) : QString();
        EXPECT_EQ(seen, shown) << field.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ASelectionMerge,
    ::testing::Values(
        MergeCase{"onePhotoCopiesEveryMergeFieldButNotResolutionOrGpsDate",
                  {{{"Artist", "Ann"}, {"DimResolution_XResolution", "72"}, {"GPS_DateStamp", "2019:07:10"}}},
                  {{"Artist", "Ann"}, {"DimResolution_XResolution", ""}, {"GPS_DateStamp", ""}},
                  {},
                  {{"Artist", ""}}},
        MergeCase{"photosThatAgreeKeepTheValue",
                  {{{"Cam_Make", "Canon"}}, {{"Cam_Make", "Canon"}}, {{"Cam_Make", "Canon"}}},
                  {{"Cam_Make", "Canon"}},
                  {},
                  {{"Cam_Make", ""}, {"Artist", ""}}},
        MergeCase{"caseOrSpacingMakesADifference",
                  {{{"Cam_Make", "Canon"}, {"Artist", "Ann"}}, {{"Cam_Make", "canon"}, {"Artist", "Ann "}}},
                  {{"Cam_Make", ""}, {"Artist", ""}},
                  {},
                  {{"Cam_Make", "Multiple values"}, {"Artist", "Multiple values"}}},
        MergeCase{"aFieldEmptyInTheFirstPhotoIsNeverKept",
                  {{}, {{"IPTC_City", "Oslo"}}, {{"IPTC_City", "Oslo"}}},
                  {{"IPTC_City", ""}},
                  {},
                  {{"IPTC_City", "Multiple values"}}},
        MergeCase{"aDisagreementInTheLastPhotoCounts",
                  {{{"Lens_LensModel", "A"}}, {{"Lens_LensModel", "A"}}, {{"Lens_LensModel", "B"}}},
                  {{"Lens_LensModel", ""}},
                  {},
                  {{"Lens_LensModel", "Multiple values"}}},
        // Emptied on purpose: the run clears it, and the field says so.
        MergeCase{"anEditedEmptyFieldSaysTheRunClearsIt",
                  {{{"Copyright", "A"}}, {{"Copyright", "B"}}, {{"Artist", "Ann"}}},
                  {{"Copyright", ""}, {"Artist", ""}},
                  {"Copyright", "Artist"},
                  {{"Copyright", "Will be cleared"}, {"Artist", "Will be cleared"}}},
        MergeCase{
            "fieldsWithoutTheMultipleValuesRuleStayBlank",
            {{{"IPTC_Contact", "a"}, {"GPS_ImgDirection", "10"}}, {{"IPTC_Contact", "b"}, {"GPS_ImgDirection", "20"}}},
            {{"IPTC_Contact", ""}, {"GPS_ImgDirection", ""}},
            {},
            {{"IPTC_Contact", ""}, {"GPS_ImgDirection", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ASelectionMerge, mergesNothingForNoPhotoAndNeverMergesOptionsSwitchesOrRules) {
    EXPECT_FALSE(SelectionMerge::updateMetaDataObjectForSelectedFiles({}));
    EXPECT_EQ(SelectionMerge::mergeFields().count(), 74u);

    MetaDataObject edited;
    edited.Artist = "Ann";
    edited.isupdated_Artist = true;
    edited.editingOption = CleanMetadataInfo;
    edited.clearExif = true;
    PhotoFile photo;
    photo.metadataObject = edited;
    const auto result = SelectionMerge::updateMetaDataObjectForSelectedFiles({photo, photo});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->merged.Artist, "Ann");
    EXPECT_FALSE(result->merged.isupdated_Artist);
    EXPECT_EQ(result->merged.editingOption, OnlyModifyEditedFields);
    EXPECT_FALSE(result->merged.clearExif);
    EXPECT_NE(result->merged.dateTimeConfigOriginalDate, edited.dateTimeConfigOriginalDate);
}

TEST(ASelectionMerge, showsTheTextViewLabelsOnlyWhereThePhotosDisagree) {
    QList<PhotoFile> photos{photoWith({{"UserComment", "a"}, {"IPTC_Keywords", "k"}}),
                            photoWith({{"UserComment", "b"}, {"IPTC_Keywords", "k"}})};
    const auto result = SelectionMerge::updateMetaDataObjectForSelectedFiles(photos);
    ASSERT_TRUE(result);
    const SelectionPlaceholders disagree(2, result->heldByAny, result->merged);
    EXPECT_TRUE(disagree.userCommentLabelVisible());
    EXPECT_FALSE(disagree.iptcKeywordsLabelVisible());

    MetaDataObject edited = result->merged;
    edited.isupdated_UserComment = true;
    const FormFieldTraits& comment = *FormFieldTraits::forField("UserComment");
    EXPECT_EQ(SelectionPlaceholders(2, result->heldByAny, edited).labelFor(comment), "Will be cleared");
    edited.UserComment = "c";
    EXPECT_FALSE(SelectionPlaceholders(2, result->heldByAny, edited).userCommentLabelVisible());
}

// Reloads whose merges finish out of order: only the latest reaches the form.
TEST(ASelectionReload, handsBackOnlyTheLatestGeneration) {
    std::vector<std::function<void()>> queued;
    SelectionReload reload;
    reload.setExecutor([&](std::function<void()> work) { queued.push_back(std::move(work)); });
    QSignalSpy merged(&reload, &SelectionReload::merged);

    const quint64 older = reload.start({photoWith({{"Artist", "older"}})});
    const quint64 newer = reload.start({photoWith({{"Artist", "newer"}})});
    ASSERT_EQ(queued.size(), 2u);
    queued[1]();
    queued[0]();
    QCoreApplication::processEvents();
    ASSERT_EQ(merged.size(), 1);
    EXPECT_EQ(merged.at(0).at(0).toULongLong(), newer);
    EXPECT_NE(older, newer);
    EXPECT_EQ(merged.at(0).at(1).value<SelectionMerge::Result>().merged.Artist, "newer");
    EXPECT_FALSE(reload.isMerging());

    // Unticking every photo needs no merge, but still outdates the one under way.
    reload.start({photoWith({{"Artist", "late"}})});
    reload.invalidate();
    queued.back()();
    QCoreApplication::processEvents();
    EXPECT_EQ(merged.size(), 1);
}

}  // namespace

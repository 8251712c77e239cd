#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <memory>

#include "RecordTesting.h"
#include "model/PresetStore.h"
#include "model/ProjectSession.h"
#include "platform/UserDefaults.h"

namespace {

// A rule with every option and value away from the defaults.
DateTimeConfigurationRef ruleWithOption(int option) {
    DateTimeConfiguration rule;
    rule.tagConfigureOption = option;
    rule.isUpdateDayKeepOriginal = true;
    rule.isIncDecSecondKeepOriginal = true;
    rule.stringSelectedDate = "2020:02:29 23:59:58";
    rule.stringUpdateTime = "07:08:09";
    rule.stringIncDecYear = QString("-%1").arg(option);
    return std::make_shared<const DateTimeConfiguration>(rule);
}

MetaDataObject preset(const QString& name) {
    MetaDataObject record = recordtesting::filledRecord(name);
    record.editingOption = CleanMetadataInfo;
    record.clearExif = record.clearIPTC = record.clearComment = record.clearGpsInfo = record.clearXMP = true;
    int option = 0;
    for (const auto& rule : MetadataKeyTable::ruleMembers()) record.*rule.member = ruleWithOption(option++);
    return record;
}

class APresetStore : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_defaults = std::make_unique<platform::UserDefaults>(m_dir.filePath("defaults.conf"));
    }
    // What the next launch sees: a fresh store over a fresh reading of the same file.
    QList<MetaDataObject> relaunch() {
        platform::UserDefaults defaults(m_dir.filePath("defaults.conf"));
        PresetStore store(defaults);
        store.loadPresets();
        return store.arrayPresets();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<platform::UserDefaults> m_defaults;
};

}  // namespace

TEST_F(APresetStore, startsEmptyWithoutAStoredValue) {
    PresetStore store(*m_defaults);
    store.loadPresets();
    EXPECT_TRUE(store.arrayPresets().isEmpty());
}

TEST_F(APresetStore, bringsSeveralPresetsBackInOrderWithEveryArchivedValue) {
    PresetStore store(*m_defaults);
    store.arrayPresets() = {preset("first"), preset("second"), MetaDataObject()};
    store.arrayPresets()[1].editingOption = ModifyEditedClearOthers;
    store.arrayPresets()[1].clearXMP = false;
    ASSERT_TRUE(store.saveProjectSession());
    const QList<MetaDataObject> back = relaunch();
    ASSERT_EQ(back.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        recordtesting::expectSameArchivedValues(back[i], store.arrayPresets()[i]);
    }
    EXPECT_TRUE(back[0].clearXMP);
    EXPECT_FALSE(back[1].clearXMP);
    EXPECT_EQ(back[0].dateTimeConfigPhotoshopCreationDate->option(), 5);
    EXPECT_EQ(back[0].dateTimeConfigOriginalDate->stringSelectedDate, "2020:02:29 23:59:58");
}

TEST_F(APresetStore, savesAnEmptyListAsAnEditableEmptyList) {
    PresetStore store(*m_defaults);
    ASSERT_TRUE(store.saveProjectSession());
    ASSERT_TRUE(m_defaults->contains(PresetStore::projectSessionKey()));
    PresetStore again(*m_defaults);
    again.loadPresets();
    EXPECT_TRUE(again.arrayPresets().isEmpty());
    again.arrayPresets().prepend(preset("new"));
    EXPECT_EQ(again.arrayPresets().size(), 1);
}

TEST_F(APresetStore, storesAProjectSessionOfMetaDataObjectsUnderProjectSession) {
    PresetStore store(*m_defaults);
    store.arrayPresets() = {preset("p")};
    store.saveProjectSession();
    const QJsonObject root = QJsonDocument::fromJson(m_defaults->data("PROJECT_SESSION")).object();
    EXPECT_EQ(root.value("$class").toString(), "ProjectSession");
    EXPECT_TRUE(root.value("dateString").isNull());
    const QJsonObject first = root.value("arrayPresets").toArray().at(0).toObject();
    EXPECT_EQ(first.value("$class").toString(), "MetaDataObject");
    EXPECT_EQ(first.value("name").toString(), "p");
    EXPECT_EQ(first.value("dateTimeConfigOriginalDate").toObject().value("$class").toString(), "DateTimeConfiguration");
}

TEST_F(APresetStore, keepsGarbageAsideAndStartsEmpty) {
    const QByteArray garbage("\x00\x01not an archive{", 16);
    m_defaults->setValue(PresetStore::projectSessionKey(), garbage);
    ASSERT_TRUE(m_defaults->synchronize());
    PresetStore store(*m_defaults);
    QList<PresetStore::Notice> told;
    store.setNoticeHandler([&](const PresetStore::Notice& notice) { told.append(notice); });
    ::testing::internal::CaptureStderr();
    store.loadPresets();
    const std::string logged = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(store.arrayPresets().isEmpty());
    // The user hears of it once, with the copy of the settings file as it was.
    ASSERT_EQ(told.size(), 1);
    const QStringList copies = QDir(m_dir.path()).entryList({"defaults-unreadable-*.conf"});
    ASSERT_EQ(copies.size(), 1);
    EXPECT_TRUE(told.first().informativeText.contains(m_dir.filePath(copies.first())));
    EXPECT_EQ(platform::UserDefaults(m_dir.filePath(copies.first())).data(PresetStore::projectSessionKey()), garbage);
    EXPECT_EQ(m_defaults->data(PresetStore::unreadableKey()), garbage);
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
    EXPECT_NE(logged.find("PROJECT_SESSION_UNREADABLE"), std::string::npos) << logged;
    // The next save replaces the damaged value but not the kept copy.
    store.arrayPresets().append(preset("fresh"));
    ASSERT_TRUE(store.saveProjectSession());
    EXPECT_EQ(relaunch().size(), 1);
    EXPECT_EQ(platform::UserDefaults(m_dir.filePath("defaults.conf")).data(PresetStore::unreadableKey()), garbage);
}

TEST_F(APresetStore, neverOverwritesAnEarlierKeptArchive) {
    m_defaults->setValue(PresetStore::unreadableKey(), QByteArray("older damage"));
    m_defaults->setValue(PresetStore::projectSessionKey(), QByteArray("{\"$class\":\"Other\"}"));
    PresetStore store(*m_defaults);
    ::testing::internal::CaptureStderr();
    store.loadPresets();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(m_defaults->data(PresetStore::unreadableKey()), "older damage");
    EXPECT_EQ(m_defaults->data("PROJECT_SESSION_UNREADABLE_2"), "{\"$class\":\"Other\"}");
}

TEST_F(APresetStore, tellsOfAFailedSaveOnceUntilASaveSucceedsAgain) {
    // The settings file's folder can be taken away and put back, as a removable disk or a sync tool does.
    const QString folder = m_dir.filePath("settings");
    platform::UserDefaults defaults(folder + "/defaults.conf");
    PresetStore store(defaults);
    QList<PresetStore::Notice> told;
    store.setNoticeHandler([&](const PresetStore::Notice& notice) { told.append(notice); });
    store.loadPresets();
    store.arrayPresets() = {preset("Trip")};
    ASSERT_TRUE(store.saveProjectSession());
    const struct {
        bool folderGone;
        bool saved;
        int toldSoFar;
    } steps[] = {{true, false, 1}, {true, false, 1}, {false, true, 1}, {true, false, 2}, {false, true, 2}};
    for (const auto& step : steps) {
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        if (step.folderGone) {
            QFile(folder).open(QIODevice::WriteOnly);  // a file where the folder was: nothing can be made there
        }
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(store.saveProjectSession(), step.saved);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(told.size(), step.toldSoFar);
    }
    EXPECT_EQ(told.last().messageText, "Your presets could not be saved");
    platform::UserDefaults again(folder + "/defaults.conf");
    PresetStore reread(again);
    reread.loadPresets();
    EXPECT_EQ(reread.arrayPresets().size(), 1);
}

struct UnreadableCase {
    const char* description;
    const char* json;
};

void PrintTo(const UnreadableCase& c, std::ostream* os) {
    *os << c.description;
}

class AnUnreadableArchive : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(AnUnreadableArchive, isRefusedWithAReason) {
    QString error;
    EXPECT_FALSE(ProjectSession::unarchive(QByteArray(GetParam().json), &error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, AnUnreadableArchive,
    ::testing::Values(UnreadableCase{"truncated", R"({"$class":"ProjectSession","arrayPresets":[)"},
                      UnreadableCase{"list_root", R"([1,2])"},
                      UnreadableCase{"other_class", R"({"$class":"MetaDataObject"})"},
                      UnreadableCase{"presets_not_a_list", R"({"$class":"ProjectSession","arrayPresets":7})"},
                      UnreadableCase{"preset_of_other_class",
                                     R"({"$class":"ProjectSession","arrayPresets":[{"$class":"X"}]})"}),
    [](const auto& info) { return std::string(info.param.description); });

TEST(AProjectSession, readsAMissingListAsEmpty) {
    const auto session = ProjectSession::unarchive(R"({"$class":"ProjectSession","dateString":"d"})");
    ASSERT_TRUE(session.has_value());
    EXPECT_TRUE(session->arrayPresets.isEmpty());
    EXPECT_EQ(session->dateString, "d");
}

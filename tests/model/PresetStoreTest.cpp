#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <memory>

#include "RecordTesting.h"
#include "model/PresetStore.h"
#include "model/ProjectSession.h"
#include "platform/UserDefaults.h"
#include "tests/common/TestSupport.h"

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

// The application's own settings file, in a configuration folder of the test's, as a hand, a tool or a crash
// may leave it: a launch reads it, tells the user what it must, and quits; a second launch follows.
enum class Stands { File, Folder, Pipe };

struct SettingsFileRow {
    const char* name;
    Stands stands;
    const char* lineAfterGeneral;  // put into a file holding the presets Trip and Studio; nullptr for none
    bool presetsRead;
    const char* told;  // the bold line of the one notice, "" for none
    bool keptAside;    // a dated copy of the file as it was lies beside it
};

void PrintTo(const SettingsFileRow& row, std::ostream* os) {
    *os << row.name;
}

class TheSettingsFile : public ::testing::TestWithParam<SettingsFileRow> {
  protected:
    void SetUp() override {
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    QTemporaryDir m_config;
    QByteArray m_oldConfig;
};

QByteArray fileWithTwoPresets(const QString& path, const char* lineAfterGeneral) {
    {
        platform::UserDefaults defaults(path);
        defaults.setValue("isFirstTime", "no");
        PresetStore store(defaults);
        store.arrayPresets() = {preset("Trip"), preset("Studio")};
        EXPECT_TRUE(store.saveProjectSession());
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    if (!lineAfterGeneral) return bytes;
    bytes.replace("[General]\n", "[General]\n" + QByteArray(lineAfterGeneral) + "\n");
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return bytes;
}

TEST_P(TheSettingsFile, isNeverOverwrittenUnseenNorWaitedOn) {
    const SettingsFileRow& row = GetParam();
    const QString path = platform::UserDefaults::standardFilePath();
    ASSERT_TRUE(path.startsWith(m_config.path()));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QByteArray original;
    if (row.stands == Stands::File) original = fileWithTwoPresets(path, row.lineAfterGeneral);
    if (row.stands == Stands::Folder) {
        ASSERT_TRUE(QDir().mkdir(path));
    }
    if (row.stands == Stands::Pipe) {
        ASSERT_TRUE(testsupport::makeNamedPipe(path));
    }

    struct Run {
        QStringList presets;
        QList<PresetStore::Notice> told;
        bool savedAtQuit = false;
    };
    const auto launchAndQuit = [&path](Run& run) {
        platform::UserDefaults defaults(path);
        PresetStore store(defaults);
        store.setNoticeHandler([&run](const PresetStore::Notice& notice) { run.told.append(notice); });
        store.loadPresets();
        for (const MetaDataObject& p : store.arrayPresets()) run.presets.append(p.name);
        run.savedAtQuit = store.saveProjectSession();
    };
    Run first;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(
        testsupport::finishesWithoutBlockingOnPipes([&] { launchAndQuit(first); }, {path}, std::chrono::seconds(5)));
    ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(first.presets, row.presetsRead ? QStringList({"Trip", "Studio"}) : QStringList());
    ASSERT_EQ(first.told.size(), *row.told ? 1 : 0);
    if (*row.told) {
        EXPECT_EQ(first.told.first().messageText, row.told);
    }
    const QStringList copies = QDir(QFileInfo(path).path()).entryList({"Lumarind-unreadable-*.conf"});
    ASSERT_EQ(copies.size(), row.keptAside ? 1 : 0);
    if (row.keptAside) {
        const QString copy = QFileInfo(path).path() + "/" + copies.first();
        QFile kept(copy);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), original);
        if (*row.told) {
            EXPECT_TRUE(first.told.first().informativeText.contains(copy));
        }
    }
    // A file is written at quit and read whole at the next launch; what is not a file stays as it was.
    EXPECT_EQ(first.savedAtQuit, row.stands == Stands::File);
    EXPECT_EQ(QFileInfo(path).isDir(), row.stands == Stands::Folder);
    EXPECT_EQ(QFileInfo(path).isFile(), row.stands == Stands::File);
    if (row.stands != Stands::File) return;
    Run second;
    launchAndQuit(second);
    EXPECT_EQ(second.presets, first.presets);
    EXPECT_TRUE(second.told.isEmpty());
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList({"Lumarind-unreadable-*.conf"}).size(), copies.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TheSettingsFile,
    ::testing::Values(
        SettingsFileRow{"intact", Stands::File, nullptr, true, "", false},
        SettingsFileRow{"aLoneOpeningBracket", Stands::File, "[", false, "Your presets could not be read", true},
        SettingsFileRow{"aLoneQuote", Stands::File, "\"", false, "Your presets could not be read", true},
        SettingsFileRow{"aQuotedValueLeftOpen", Stands::File, "x=\"abc", false, "Your presets could not be read", true},
        SettingsFileRow{"aSectionLeftOpen", Stands::File, "[abc", false, "Your presets could not be read", true},
        SettingsFileRow{"aLoneClosingBracket", Stands::File, "]", true, "", true},
        SettingsFileRow{"aFolder", Stands::Folder, nullptr, false, "Your presets cannot be read or saved", false},
        SettingsFileRow{"aPipe", Stands::Pipe, nullptr, false, "Your presets cannot be read or saved", false}),
    [](const auto& info) { return std::string(info.param.name); });

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

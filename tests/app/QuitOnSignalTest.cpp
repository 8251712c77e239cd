// The real application, started as its own process and asked to end by a signal, as a session ending or a
// service manager does.
#include "model/PresetStore.h"
#include "platform/UserDefaults.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Whether the process has its own handler for the signal (bit signal-1 of SigCgt in its status).
bool catches(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:")) continue;
        bool ok = false;
        const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
        return ok && (mask >> (signal - 1)) & 1;
    }
    return false;
}

QStringList presetNames(platform::UserDefaults& defaults) {
    PresetStore store(defaults);
    store.loadPresets();
    QStringList names;
    for (const MetaDataObject& p : store.arrayPresets()) names.append(p.name);
    return names;
}

// A home of the test's whose settings file holds the presets Trip and Studio.
QString homeWithTwoPresets(const QTemporaryDir& home) {
    const QString configFile = home.filePath("config/Lumarind/Lumarind.conf");
    QDir().mkpath(QFileInfo(configFile).path());
    platform::UserDefaults defaults(configFile);
    defaults.setValue("isFirstTime", "no");
    PresetStore store(defaults);
    MetaDataObject a, b;
    a.name = "Trip";
    b.name = "Studio";
    store.arrayPresets() = {a, b};
    EXPECT_TRUE(store.saveProjectSession());
    return configFile;
}

// Runs the application in home until it can be asked to end, asks with signal and answers its log once it
// ended normally.
QString runAndEnd(const QTemporaryDir& home, int signal) {
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_STATE_HOME", home.filePath("state"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CACHE_HOME", home.filePath("cache"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(LUMARIND_APP_BINARY), {});
    EXPECT_TRUE(app.waitForStarted(20000));
    // The quit handlers are set up after the settings are read: a launch waiting on them never gets here.
    EXPECT_TRUE(QTest::qWaitFor([&] { return catches(app.processId(), signal); }, 20000));
    ::kill(pid_t(app.processId()), signal);
    EXPECT_TRUE(app.waitForFinished(20000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
    QFile log(home.filePath("state/Lumarind/Lumarind.log"));
    EXPECT_TRUE(log.open(QIODevice::ReadOnly));
    return QString::fromUtf8(log.readAll());
}

}  // namespace

TEST(TheApplication, endsThroughItsNormalQuitOnAskingSignalsAndKeepsThePresets) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QTemporaryDir home;
        const QString configFile = homeWithTwoPresets(home);
        const QString text = runAndEnd(home, signal);
        platform::UserDefaults after(configFile);
        EXPECT_EQ(presetNames(after), (QStringList{"Trip", "Studio"}));
        EXPECT_TRUE(text.contains("log file path = " + home.filePath("state/Lumarind/Lumarind.log")))
            << text.toStdString();
        EXPECT_TRUE(text.contains("received signal " + QString::number(signal))) << text.toStdString();
        EXPECT_TRUE(text.contains("terminating")) << text.toStdString();
    }
}

// The settings file as the application meets it in its real configuration folder: damaged by a line after
// "[General]", or with a folder or a pipe in its place. The application neither waits on it nor writes over it
// unseen: a damaged file is kept aside as it was, the user is told once, and the run ends normally.
enum class Stands { File, Folder, Pipe };

struct SettingsFileRow {
    const char* name;
    Stands stands;
    const char* lineAfterGeneral;
    bool presetsRead;  // Trip and Studio came through and are stored again at quit
    const char* told;  // what the log says the user was told, "" for nothing
    bool keptAside;    // a dated copy of the file as it was lies beside it
};

void PrintTo(const SettingsFileRow& row, std::ostream* os) {
    *os << row.name;
}

class TheSettingsFile : public testing::TestWithParam<SettingsFileRow> {};

TEST_P(TheSettingsFile, isNeverOverwrittenUnseenNorWaitedOn) {
    const SettingsFileRow& row = GetParam();
    QTemporaryDir home;
    const QString configFile = homeWithTwoPresets(home);
    const QDir folder = QFileInfo(configFile).dir();
    QFile file(configFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray original = file.readAll();
    if (row.lineAfterGeneral) original.replace("[General]\n", "[General]\n" + QByteArray(row.lineAfterGeneral) + "\n");
    file.resize(0);
    file.write(original);
    file.close();
    if (row.stands != Stands::File) {
        ASSERT_TRUE(file.remove());
        ASSERT_TRUE(row.stands == Stands::Pipe ? testsupport::makeNamedPipe(configFile) : folder.mkdir(configFile));
    }

    const QString text = runAndEnd(home, SIGTERM);
    EXPECT_EQ(text.count("Your presets"), *row.told ? 1 : 0) << text.toStdString();
    EXPECT_TRUE(text.contains(row.told));
    const QStringList copies = folder.entryList({"Lumarind-unreadable-*.conf"});
    ASSERT_EQ(copies.size(), row.keptAside ? 1 : 0);
    for (const QString& copy : copies) {
        QFile kept(folder.filePath(copy));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), original);
        EXPECT_TRUE(!*row.told || text.contains(folder.filePath(copy))) << text.toStdString();
    }
    EXPECT_EQ(QFileInfo(configFile).isDir(), row.stands == Stands::Folder);
    if (row.stands != Stands::File) return;
    platform::UserDefaults after(configFile);
    EXPECT_EQ(after.fileState(), platform::UserDefaults::FileState::Read);
    EXPECT_EQ(presetNames(after), row.presetsRead ? QStringList({"Trip", "Studio"}) : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TheSettingsFile,
    testing::Values(
        SettingsFileRow{"aLoneOpeningBracket", Stands::File, "[", false, "Your presets could not be read", true},
        SettingsFileRow{"aLoneQuote", Stands::File, "\"", false, "Your presets could not be read", true},
        SettingsFileRow{"aQuotedValueLeftOpen", Stands::File, "x=\"abc", false, "Your presets could not be read", true},
        SettingsFileRow{"aLoneClosingBracket", Stands::File, "]", true, "", true},
        SettingsFileRow{"aFolder", Stands::Folder, nullptr, false, "Your presets cannot be read or saved", false},
        SettingsFileRow{"aPipe", Stands::Pipe, nullptr, false, "Your presets cannot be read or saved", false}),
    [](const auto& info) { return std::string(info.param.name); });

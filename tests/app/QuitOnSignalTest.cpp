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

}  // namespace

TEST(TheApplication, endsThroughItsNormalQuitOnAskingSignalsAndKeepsThePresets) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        QTemporaryDir home;
        const QString configFile = home.filePath("config/Lumarind/Lumarind.conf");
        QDir().mkpath(QFileInfo(configFile).path());
        {
            platform::UserDefaults defaults(configFile);
            defaults.setValue("isFirstTime", "no");
            PresetStore store(defaults);
            MetaDataObject a, b;
            a.name = "Trip";
            b.name = "Studio";
            store.arrayPresets() = {a, b};
            ASSERT_TRUE(store.saveProjectSession());
        }
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
        ASSERT_TRUE(app.waitForStarted(20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return catches(app.processId(), signal); }, 20000));
        ::kill(pid_t(app.processId()), signal);
        ASSERT_TRUE(app.waitForFinished(20000));

        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(app.exitCode(), 0);
        platform::UserDefaults after(configFile);
        EXPECT_EQ(presetNames(after), (QStringList{"Trip", "Studio"}));
        QFile log(home.filePath("state/Lumarind/Lumarind.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(text.contains("log file path = " + log.fileName())) << text.toStdString();
        EXPECT_TRUE(text.contains("received signal " + QString::number(signal))) << text.toStdString();
        EXPECT_TRUE(text.contains("terminating")) << text.toStdString();
    }
}

namespace {

// The settings file as the application meets it at launch, in the real configuration folder of a home of
// the test's: damaged by a stray line after "[General]", or with a folder or a pipe in its place.
struct LaunchRow {
    const char* name;
    const char* lineAfterGeneral;  // nullptr: something other than a file stands at the path
    bool pipe;
    const char* told;  // what the log says the user was told
};

void PrintTo(const LaunchRow& row, std::ostream* os) {
    *os << row.name;
}

class ALaunchOverABrokenSettingsFile : public testing::TestWithParam<LaunchRow> {};

TEST_P(ALaunchOverABrokenSettingsFile, keepsItTellsTheUserAndQuitsNormally) {
    const LaunchRow& row = GetParam();
    QTemporaryDir home;
    const QString configFile = home.filePath("config/Lumarind/Lumarind.conf");
    QDir().mkpath(QFileInfo(configFile).path());
    QByteArray original;
    if (row.lineAfterGeneral) {
        {
            platform::UserDefaults defaults(configFile);
            defaults.setValue("isFirstTime", "no");
            PresetStore store(defaults);
            MetaDataObject trip;
            trip.name = "Trip";
            store.arrayPresets() = {trip};
            ASSERT_TRUE(store.saveProjectSession());
        }
        QFile file(configFile);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        original = file.readAll().replace("[General]\n", "[General]\n" + QByteArray(row.lineAfterGeneral) + "\n");
        file.resize(0);
        file.write(original);
    } else if (row.pipe) {
        ASSERT_TRUE(testsupport::makeNamedPipe(configFile));
    } else {
        ASSERT_TRUE(QDir().mkdir(configFile));
    }

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
    ASSERT_TRUE(app.waitForStarted(20000));
    // Running, past the settings: the quit handlers are set up after them.
    ASSERT_TRUE(QTest::qWaitFor([&] { return catches(app.processId(), SIGTERM); }, 20000));
    ::kill(pid_t(app.processId()), SIGTERM);
    ASSERT_TRUE(app.waitForFinished(20000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);

    QFile log(home.filePath("state/Lumarind/Lumarind.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_EQ(text.count(row.told), 1) << text.toStdString();
    const QStringList copies = QDir(QFileInfo(configFile).path()).entryList({"Lumarind-unreadable-*.conf"});
    if (!row.lineAfterGeneral) {
        EXPECT_TRUE(copies.isEmpty());
        EXPECT_EQ(QFileInfo(configFile).isDir(), !row.pipe);
        EXPECT_FALSE(QFileInfo(configFile).isFile());
        return;
    }
    ASSERT_EQ(copies.size(), 1);
    const QString copy = QFileInfo(configFile).path() + "/" + copies.first();
    EXPECT_TRUE(text.contains(copy)) << text.toStdString();
    QFile kept(copy);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), original);
    EXPECT_EQ(platform::UserDefaults(configFile).fileState(), platform::UserDefaults::FileState::Read);
}

INSTANTIATE_TEST_SUITE_P(Rows, ALaunchOverABrokenSettingsFile,
                         testing::Values(LaunchRow{"aLoneOpeningBracket", "[", false, "Your presets could not be read"},
                                         LaunchRow{"aLoneQuote", "\"", false, "Your presets could not be read"},
                                         LaunchRow{"aFolder", nullptr, false, "Your presets cannot be read or saved"},
                                         LaunchRow{"aPipe", nullptr, true, "Your presets cannot be read or saved"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

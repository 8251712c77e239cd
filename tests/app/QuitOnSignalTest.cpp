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

// The settings file as the application meets it in its real configuration folder: sound, damaged by a line after
// "[General]", or with a folder or a pipe in its place. Asked to end by a signal, the application goes through its
// normal quit: it neither waits on the file nor writes over it unseen, a damaged file is kept aside as it was, the
// user is told once, and the presets it read are stored again.
enum class Stands { File, Folder, Pipe };

struct SettingsFileRow {
    const char* name;
    int signal;
    Stands stands;
    const char* lineAfterGeneral;
    bool presetsRead;  // Trip and Studio came through and are stored again at quit
    const char* told;  // what the log says the user was told, "" for nothing
    bool keptAside;    // a dated copy of the file as it was lies beside it
    friend void PrintTo(const SettingsFileRow& row, std::ostream* os) { *os << row.name; }
};

class TheApplication : public testing::TestWithParam<SettingsFileRow> {};

TEST_P(TheApplication, endsThroughItsNormalQuitNeitherWaitingOnNorOverwritingItsSettingsUnseen) {
    const SettingsFileRow& row = GetParam();
    QTemporaryDir home;
    const QString configFile = home.filePath("config/Lumarind/Lumarind.conf");
    const QDir folder = QFileInfo(configFile).dir();
    QDir().mkpath(folder.path());
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

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    for (const char* kind : {"CONFIG", "STATE", "DATA", "CACHE"})
        env.insert(QStringLiteral("XDG_%1_HOME").arg(kind), home.filePath(QString(kind).toLower()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(LUMARIND_APP_BINARY), {});
    ASSERT_TRUE(app.waitForStarted(20000));
    // The quit handlers are set up after the settings are read: a launch waiting on them never gets here.
    LUMARIND_WAIT_FOR(catches(app.processId(), row.signal), 20000);
    ::kill(pid_t(app.processId()), row.signal);
    ASSERT_TRUE(app.waitForFinished(20000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
    QFile log(home.filePath("state/Lumarind/Lumarind.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    for (const QString& line : {"log file path = " + log.fileName(), "received signal " + QString::number(row.signal),
                                QStringLiteral("terminating"), QString::fromUtf8(row.told)})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << " in " << text.toStdString();
    EXPECT_EQ(text.count("Your presets"), *row.told ? 1 : 0) << text.toStdString();

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

using Row = SettingsFileRow;
INSTANTIATE_TEST_SUITE_P(
    Rows, TheApplication,
    testing::Values(
        Row{"soundAskedByTerm", SIGTERM, Stands::File, nullptr, true, "", false},
        Row{"soundAskedByInt", SIGINT, Stands::File, nullptr, true, "", false},
        Row{"soundAskedByHup", SIGHUP, Stands::File, nullptr, true, "", false},
        Row{"aLoneOpeningBracket", SIGTERM, Stands::File, "[", false, "Your presets could not be read", true},
        Row{"aLoneQuote", SIGTERM, Stands::File, "\"", false, "Your presets could not be read", true},
        Row{"aQuotedValueLeftOpen", SIGTERM, Stands::File, "x=\"abc", false, "Your presets could not be read", true},
        Row{"aLoneClosingBracket", SIGTERM, Stands::File, "]", true, "", true},
        Row{"aFolder", SIGTERM, Stands::Folder, nullptr, false, "Your presets cannot be read or saved", false},
        Row{"aPipe", SIGTERM, Stands::Pipe, nullptr, false, "Your presets cannot be read or saved", false}),
    testsupport::rowName);

#include "tests/Helper/HelperFixtures.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs a program to its end; its standard output, or nullopt with the reason when it failed.
std::optional<QString> run(const QString& program, const QStringList& arguments, QString* why,
                           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *why = program + " " + arguments.join(' ') + ": " + process.errorString() + "\n" +
               QString::fromLocal8Bit(process.readAllStandardError());
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

}  // namespace

TEST(AnInstalledTree, holdsTheDesktopFilesAndReadsPhotosThroughItsOwnWorker) {
    const QString build = QStringLiteral(LUMARIND_BUILD_DIR);
    if (!QFileInfo::exists(build + "/cmake_install.cmake"))
        GTEST_SKIP() << "the build folder " << build.toStdString() << " has no install step";
    LUMARIND_REQUIRE_EXIFTOOL();
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    QString why;
    ASSERT_TRUE(run(QStringLiteral(LUMARIND_CMAKE), {"--install", build, "--prefix", prefix.path()}, &why))
        << why.toStdString();

    const QString bin = prefix.filePath(LUMARIND_INSTALL_BINDIR);
    const QString worker = prefix.filePath(LUMARIND_INSTALL_LIBEXECDIR "/lumarind/lumarind-metadata-worker");
    EXPECT_TRUE(QFileInfo(bin + "/lumarind").isExecutable());
    EXPECT_TRUE(QFileInfo(worker).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(bin + "/lumarind-metadata-worker")) << "the worker is no command of its own";
    EXPECT_TRUE(QFileInfo::exists(prefix.filePath(LUMARIND_INSTALL_DATADIR "/applications/lumarind.desktop")));
    EXPECT_TRUE(
        QFileInfo::exists(prefix.filePath(LUMARIND_INSTALL_DATADIR "/icons/hicolor/scalable/apps/lumarind.svg")));

    // A reader placed where the installed program lies finds the worker the way the program does, with
    // neither the variable nor the build tree to fall back on.
    const QString reader = bin + "/lumarind-installed-read";
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMARIND_INSTALLED_READ), reader));
    const QString photo = helperfixtures::makeJpeg(prefix.path(), "installed.jpg", QSize(64, 48));
    ASSERT_TRUE(helperfixtures::exiftoolWrite(photo, {"-Artist=Installed Worker"}));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("LUMARIND_METADATA_WORKER");
    const std::optional<QString> output = run(reader, {photo}, &why, environment);
    ASSERT_TRUE(output) << why.toStdString();
    EXPECT_EQ(output->split('\n').value(0), "worker=" + worker);
    EXPECT_EQ(output->split('\n').value(1), "artist=Installed Worker");
}

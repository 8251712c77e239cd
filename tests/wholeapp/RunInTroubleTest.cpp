// The whole application when things go wrong during a run: a damaged photo in the folder, an output folder the
// user may not write to, and a photo deleted while the run is on. Every trouble gets a clear line in the
// summary, no source is changed, nothing is left half-written and the application goes on.
#include "tests/wholeapp/PhotoTags.h"
#include "tests/wholeapp/RunningApplication.h"
#include "tests/wholeapp/User.h"

#include "app/AddPhotosWindow.h"
#include "app/AppDelegate.h"
#include "app/MainWindowController.h"
#include "controls/IMGButton.h"
#include "controls/VLAppStoreWindow.h"
#include "editor/BatchRunScreen.h"
#include "editor/EditorBatchActions.h"
#include "editor/ErrorSummaryModel.h"
#include "editor/ExifEditorView.h"
#include "editor/ProgressSheet.h"
#include "editor/SummaryWindow.h"
#include "tests/common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using wholeapp::RunningApplication;
using wholeapp::User;

namespace {

// The writers' gate of lumarind-gated-worker: writes wait while it is shut.
class WriteGate {
  public:
    explicit WriteGate(const QString& path) : m_path(path) {
        EXPECT_TRUE(testsupport::makeNamedPipe(path));
        qputenv("LUMARIND_TEST_WRITE_GATE", QFile::encodeName(path));
    }
    ~WriteGate() {
        // No worker may stay blocked once the test is over.
        open();
        shut();
        qunsetenv("LUMARIND_TEST_WRITE_GATE");
    }
    // A writer end held open lets every waiting and later write through.
    void open() {
        if (m_fd < 0) m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
    }
    void shut() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

  private:
    QString m_path;
    int m_fd = -1;
};

QStringList summaryLines(SummaryWindow* summary) {
    QStringList lines;
    const ErrorSummaryModel* model = summary->errorModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row);
        lines << QFileInfo(index.data().toString()).fileName() + ": " +
                     index.data(ErrorSummaryModel::MessageRole).toString();
    }
    return lines;
}

class ARunInTrouble : public ::testing::Test {
  public:
    // The steps of the run, in order.
    void addAFolderWithADamagedPhoto();
    void runIntoAFolderTheUserMayNotWriteTo();
    void runWhileAPhotoIsDeleted();
    void findNothingLostAndGoOn();

  protected:
    ExifEditorView& editor() { return app->editor(); }
    SummaryWindow* summary() { return editor().batchActions().batchScreen().summaryWindow(); }
    void startInto(const QString& folder, const QString& confirmation) {
        User::click(editor().btnProcess());
        User::chooseFolderInPanel(folder);
        EXPECT_EQ(User::answerAlert("Yes"), confirmation);
    }
    void waitForTheSummary() {
        User::waitFor([this] { return summary()->isVisible(); }, "the summary of the run", 60000);
    }

    QTemporaryDir work;
    WriteGate gate{work.filePath("write-gate")};
    // More good photos than the run has writers, so the last is certainly not started while they wait.
    const int good = QThread::idealThreadCount() + 2;
    QHash<QString, QByteArray> hashes;
    std::unique_ptr<RunningApplication> app;
};

void ARunInTrouble::addAFolderWithADamagedPhoto() {
    const QString folder = work.filePath("Trouble");
    QDir().mkpath(folder);
    for (int i = 1; i <= good; ++i) {
        ASSERT_TRUE(QFile::copy(testsupport::corpusDir() + "/Reagan.jpg",
                                folder + QStringLiteral("/photo%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));
    }
    ASSERT_TRUE(QFile::copy(testsupport::corpusDir() + "/damaged-exiv2-bug1247.jpg", folder + "/damaged.jpg"));
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        hashes.insert(folder + "/" + name, testsupport::fileHash(folder + "/" + name));

    gate.open();
    app = std::make_unique<RunningApplication>();
    app->launch(false);
    ASSERT_TRUE(User::waitFor([&] { return app->mainWindow().winAddPhotos()->isVisible(); }, "the add-photos window"));
    User::addFolder(app->mainWindow().winAddPhotos(), work.path(), "Trouble");
    ASSERT_TRUE(User::waitFor([&] { return editor().btnProcess()->isEnabled(); }, "the photos"));
    ASSERT_EQ(app->delegate().arraySelectedImagesToProcess.size(), good + 1)
        << "a damaged photo is listed too: only writing it can fail";
    User::type(editor().textField("Artist"), "Ada Lumen");
}

void ARunInTrouble::runIntoAFolderTheUserMayNotWriteTo() {
    const QString readOnly = work.filePath("Read-only");
    QDir().mkpath(readOnly);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    startInto(readOnly, "START PROCESS");
    // Said once, before any photo, instead of a line per photo or a lack of space.
    QMessageBox* alert = User::alert();
    ASSERT_NE(alert, nullptr);
    User::screenshot(alert, "wholeapp-11-read-only-alert");
    EXPECT_TRUE(alert->informativeText().contains("\"" + readOnly + "\"")) << alert->informativeText().toStdString();
    EXPECT_EQ(User::answerAlert("OK"), "CANNOT WRITE TO FOLDER");
    User::settle();
    EXPECT_FALSE(summary()->isVisible()) << "a run that wrote nothing has nothing to sum up";
    EXPECT_TRUE(QDir(readOnly).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

void ARunInTrouble::runWhileAPhotoIsDeleted() {
    QDir().mkpath(work.filePath("Output"));
    gate.shut();
    // The refused run kept the edits: they are still to be written.
    startInto(work.filePath("Output"), "START PROCESS");
    ASSERT_TRUE(User::waitFor([&] { return editor().batchActions().batchScreen().progressSheet()->isVisible(); },
                              "the progress sheet"));
    const QString deleted = app->delegate().arraySelectedImagesToProcess.last().filePath;
    ASSERT_TRUE(QFile::remove(deleted));
    hashes.remove(deleted);
    gate.open();
    waitForTheSummary();
    User::screenshot(summary(), "wholeapp-12-trouble-summary");
    EXPECT_EQ(summary()->lblPhotoProcessedSummary()->text(), QString::number(good - 1));
    EXPECT_EQ(summary()->lblErrorsSummary()->text(), "Errors Found(2) Warning Found(0)");
    const QStringList lines = summaryLines(summary());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.contains(QFileInfo(deleted).fileName() + ": This photo is not available at the Source location."))
        << lines.join("\n").toStdString();
    const QString damaged = lines.filter("damaged.jpg: ").value(0);
    EXPECT_GT(damaged.size(), QString("damaged.jpg: ").size()) << "the damaged photo's line says what went wrong";
    User::click(summary()->btnClose());
}

void ARunInTrouble::findNothingLostAndGoOn() {
    for (auto it = hashes.cbegin(); it != hashes.cend(); ++it)
        EXPECT_EQ(testsupport::fileHash(it.key()), it.value()) << "source changed: " << it.key().toStdString();
    // A whole copy of every other photo, and no stray file.
    QStringList written;
    for (const QString& name : QDir(work.filePath("Output")).entryList(QDir::Files | QDir::Hidden | QDir::System))
        written << work.filePath("Output/" + name);
    EXPECT_EQ(written.size(), good - 1) << written.join(", ").toStdString();
    const QHash<QString, QJsonObject> tags = wholeapp::readTags(written, {"-IFD0:Artist"});
    for (const QString& copy : written)
        EXPECT_EQ(tags.value(copy).value("IFD0:Artist").toString(), "Ada Lumen") << copy.toStdString();

    EXPECT_TRUE(editor().btnProcess()->isEnabled());
    MainWindowController& main = app->mainWindow();
    User::click(main.btnCloseWindow());
    EXPECT_EQ(User::answerAlert("No, Thanks"), "Enjoying Lumarind?");
    EXPECT_TRUE(User::waitFor([&] { return !main.windowMain()->isVisible(); }, "the main window to go"));
}

TEST_F(ARunInTrouble, namesEveryFailureInTheSummaryAndLosesNothing) {
    if (testsupport::corpusDir().isEmpty()) GTEST_SKIP() << "the folder of camera photos is absent";
    if (qEnvironmentVariable("LUMARIND_METADATA_WORKER") != QStringLiteral(LUMARIND_GATED_WORKER))
        GTEST_SKIP() << "needs LUMARIND_METADATA_WORKER=" LUMARIND_GATED_WORKER " (ctest sets it)";
    LUMARIND_REQUIRE_EXIFTOOL();
    if (::geteuid() == 0) {
        // Root may write into any folder, so the read-only folder would not be one: the test runs as nobody.
        // Its screenshots land where the other tests' do.
        const QString shots = QStringLiteral(LUMARIND_SCREENSHOT_DIR);
        QDir().mkpath(shots);
        QFile::setPermissions(shots, QFile::permissions(shots) | QFile::WriteOther | QFile::ExeOther);
        const testsupport::UnprivilegedRun run =
            testsupport::runTestAsUnprivilegedUser("ARunInTrouble.namesEveryFailureInTheSummaryAndLosesNothing");
        if (!run.available) GTEST_SKIP() << "no way to run without root's privileges here";
        EXPECT_TRUE(run.passed) << run.output.toStdString();
        return;
    }
    for (void (ARunInTrouble::*step)() :
         {&ARunInTrouble::addAFolderWithADamagedPhoto, &ARunInTrouble::runIntoAFolderTheUserMayNotWriteTo,
          &ARunInTrouble::runWhileAPhotoIsDeleted, &ARunInTrouble::findNothingLostAndGoOn}) {
        (this->*step)();
        if (HasFatalFailure()) return;
    }
}

}  // namespace

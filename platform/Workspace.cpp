#include "platform/Workspace.h"

#include "platform/Alerts.h"
#include "platform/FileInfoDialog.h"
#include "platform/Log.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {
namespace {

// A file URI inside a single-quoted GVariant string: the quote and the backslash would end or escape it.
QString quotedUri(const QString& path) {
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri.replace(QLatin1Char('\''), QStringLiteral("%27"));
    uri.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return QLatin1Char('\'') + uri + QLatin1Char('\'');
}

void answerWith(const Workspace::Answer& answer, bool acted) {
    if (answer) answer(acted);
}

// Runs a desktop helper without waiting for it and answers from how it ended. The helper may stay until
// the application it started is closed; its answer comes then.
void runHelper(const QString& program, const QStringList& arguments, Workspace::Answer answer,
               std::function<void()> onFailure = {}) {
    auto* process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    // Its complaints (no application for this type, no file manager) belong in the log.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto finish = [process, answer, onFailure](bool acted) {
        process->disconnect();
        process->deleteLater();
        if (!acted && onFailure) return onFailure();
        answerWith(answer, acted);
    };
    QObject::connect(process, &QProcess::finished, process, [finish](int code, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit && code == 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) finish(false);
    });
    process->start(program, arguments);
}

// xdg-open answers by its exit status whether an application took the file; Qt's own launcher, the only
// way left without it, can only tell whether it started something.
void openThroughDesktop(const QString& path, Workspace::Answer answer) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (opener.isEmpty()) return answerWith(answer, QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)));
    runHelper(opener, {absolute}, std::move(answer));
}

// The desktop's own handlers; revealing asks the file manager over the session bus to select the files,
// and opens their folder when no file manager answers.
class DesktopWorkspace : public Workspace {
  public:
    bool openURL(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    void openFile(const QString& path, Answer answer) override { openThroughDesktop(path, std::move(answer)); }

    void revealInFileManager(const QStringList& paths, Answer answer) override {
        if (paths.isEmpty()) return answerWith(answer, false);
        const QString folder = QFileInfo(paths.first()).absolutePath();
        // The bus call may take its time-out when nothing answers; it runs without being waited for.
        runHelper(QStringLiteral("gdbus"), fileManagerShowItemsArguments(paths), answer, [folder, answer] {
            qCInfo(lcPlatform).noquote() << QStringLiteral("no file manager answered; opening ") + folder;
            openThroughDesktop(folder, answer);
        });
    }

    void showFileInfo(const QString& path, QWidget* parent) override { FileInfoDialog::showForFile(path, parent); }
};

Workspace* g_installed = nullptr;

}  // namespace

QStringList fileManagerShowItemsArguments(const QStringList& paths) {
    QStringList uris;
    for (const QString& path : paths) uris.append(quotedUri(path));
    return {QStringLiteral("call"),
            QStringLiteral("--session"),
            QStringLiteral("--timeout"),
            QStringLiteral("5"),
            QStringLiteral("--dest"),
            QStringLiteral("org.freedesktop.FileManager1"),
            QStringLiteral("--object-path"),
            QStringLiteral("/org/freedesktop/FileManager1"),
            QStringLiteral("--method"),
            QStringLiteral("org.freedesktop.FileManager1.ShowItems"),
            QLatin1Char('[') + uris.join(QLatin1Char(',')) + QLatin1Char(']'),
            QStringLiteral("''")};
}

bool openWebPage(const QUrl& url, QWidget* parent) {
    if (Workspace::shared().openURL(url)) return true;
    qCInfo(lcPlatform).noquote() << QStringLiteral("no web browser opened ") + url.toString();
    Alert alert;
    alert.messageText = QStringLiteral("No web browser could open the page.");
    alert.informativeText = QStringLiteral("This desktop has no application set to open \"") + url.toString() +
                            QStringLiteral("\". Install a web browser, or open the address in one yourself.");
    alert.buttons = {QStringLiteral("OK")};
    AlertPresenter::shared().beginSheet(alert, parent, nullptr);
    return false;
}

Workspace& Workspace::shared() {
    static DesktopWorkspace own;
    return g_installed ? *g_installed : own;
}

void Workspace::install(Workspace* workspace) {
    g_installed = workspace;
}

}  // namespace platform

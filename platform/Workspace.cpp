#include "platform/Workspace.h"

#include "platform/FileInfoDialog.h"
#include "platform/Log.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace platform {
namespace {

// A file URI inside a single-quoted GVariant string: the quote and the backslash would end or escape it.
QString quotedUri(const QString& path) {
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri.replace(QLatin1Char('\''), QStringLiteral("%27"));
    uri.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return QLatin1Char('\'') + uri + QLatin1Char('\'');
}

bool openFolderOf(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

// The desktop's own handlers through Qt; revealing asks the file manager over the session bus to select
// the files, and opens their folder when no file manager answers.
class DesktopWorkspace : public Workspace {
  public:
    bool openURL(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    bool openFile(const QString& path) override { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

    bool revealInFileManager(const QStringList& paths) override {
        if (paths.isEmpty()) return false;
        // Run without waiting: the bus call may take its time-out when nothing answers.
        auto* process = new QProcess;
        const QString first = paths.first();
        QObject::connect(process, &QProcess::finished, process,
                         [process, first](int code, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || code != 0) {
                                 qCInfo(lcPlatform).noquote()
                                     << QStringLiteral("no file manager answered; opening the folder of ") + first;
                                 openFolderOf(first);
                             }
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process, [process, first](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart) return;
            openFolderOf(first);
            process->deleteLater();
        });
        process->start(QStringLiteral("gdbus"), fileManagerShowItemsArguments(paths));
        return true;
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

Workspace& Workspace::shared() {
    static DesktopWorkspace own;
    return g_installed ? *g_installed : own;
}

void Workspace::install(Workspace* workspace) {
    g_installed = workspace;
}

}  // namespace platform

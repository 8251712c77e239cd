#include "Helper/MetadataWorkerPool.h"
#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/Logging.h"
#include "platform/Log.h"
#include "platform/QuitSignals.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Every diagnostic line goes to standard error; from here on that is the log file, appended to. When the
// file cannot be opened the lines stay on the terminal rather than being lost.
bool appendStandardErrorTo(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const QString logPath = platform::logFilePath();
    const bool logOpened = appendStandardErrorTo(logPath);
    platform::useLogLineFormat();
    qCInfo(lcApp).noquote() << QStringLiteral("log file path = ") + logPath;
    if (!logOpened) qCWarning(lcApp).noquote() << QStringLiteral("the log file could not be opened: ") + logPath;

    QApplication app(argc, argv);
    ApplicationSetup::configureApplication();
    // Before anything can read a photo; the workers start when first asked and write to this log.
    MetadataWorkerPool::install();

    AppDelegate delegate(platform::UserDefaults::standardUserDefaults());
    ApplicationSetup::assemble(delegate);
    platform::QuitSignals::install(&delegate, [&delegate](int) { delegate.terminate(); });
    delegate.applicationDidFinishLaunching();
    return app.exec();
}

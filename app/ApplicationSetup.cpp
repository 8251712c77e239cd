#include "app/ApplicationSetup.h"

#include "app/AppDelegate.h"
#include "app/ExifEditingScreen.h"
#include "app/OnlineServices.h"
#include "app/ProductInfo.h"

#include <QApplication>
#include <QIcon>

namespace ApplicationSetup {

void configureApplication() {
    QCoreApplication::setApplicationName(ProductInfo::bundleName());
    QCoreApplication::setApplicationVersion(ProductInfo::bundleVersion());
    QGuiApplication::setDesktopFileName(QStringLiteral("lumarind"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lumarind.svg")));
    // The run ends where the close flow says, not when its last window closes: the promotion panel
    // follows the main window.
    QApplication::setQuitOnLastWindowClosed(false);
}

void assemble(AppDelegate& delegate, const ServiceHosts& hosts) {
    installOnlineServices(delegate, hosts);
    delegate.setEditingScreenFactory([](AppDelegate& app) { return ExifEditingScreen::create(app); });
}

}  // namespace ApplicationSetup

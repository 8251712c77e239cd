#include "app/online/ServiceHosts.h"

namespace {

QString withPath(const QUrl& server, const QString& path) {
    QUrl url = server;
    url.setPath(path);
    return url.toString();
}

}  // namespace

ServiceHosts ServiceHosts::product() {
    // The maker's hosts. The services answer plain HTTP, as they are published; the web site is the one the
    // help and review pages live on.
    ServiceHosts hosts;
    hosts.feedbackService = QUrl(QStringLiteral("http://services.lumarind.app"));
    hosts.feedbackNamespace = QStringLiteral("http://services.lumarind.app/");
    hosts.contentHost = QUrl(QStringLiteral("http://content.lumarind.app"));
    hosts.trackingHost = QUrl(QStringLiteral("http://track.lumarind.app"));
    hosts.website = QUrl(QStringLiteral("https://lumarind.app"));
    return hosts;
}

ServiceHosts ServiceHosts::allOn(const QUrl& server) {
    ServiceHosts hosts;
    hosts.feedbackService = server;
    hosts.feedbackNamespace = withPath(server, QStringLiteral("/"));
    hosts.contentHost = server;
    hosts.trackingHost = server;
    hosts.website = server;
    return hosts;
}

QUrl ServiceHosts::feedbackEndpoint() const {
    return QUrl(withPath(feedbackService, QStringLiteral("/miscservicemac/MiscService.asmx")));
}

QUrl ServiceHosts::supportPhoneFileUrl() const {
    return QUrl(withPath(contentHost, QStringLiteral("/fennacle/phonenumber.ini")));
}

QString ServiceHosts::trackingBase() const {
    return withPath(trackingHost, QStringLiteral("/kestrack/kesparser.svc"));
}

QString ServiceHosts::installTrackingUrl() const {
    return withPath(trackingHost, QStringLiteral("/kestrack/KesParser.svc/registerAppInstalls"));
}

QString ServiceHosts::websitePage(const QString& path) const {
    return withPath(website, QLatin1Char('/') + path);
}

QString ServiceHosts::productPageUrl(const QString& productName) const {
    return websitePage(QString(productName).remove(QLatin1Char(' ')));
}

#include "app/online/ServiceHosts.h"

namespace {

QString withPath(const QUrl& server, const QString& path) {
    QUrl url = server;
    url.setPath(path);
    return url.toString();
}

}  // namespace

ServiceHosts ServiceHosts::product() {
    // The maker's hosts, every one over HTTPS: the feedback carries the user's address, text and log, and the
    // phone file names the number users call for help. The namespace is the service's name, not an address,
    // and stays as the service declares it.
    ServiceHosts hosts;
    hosts.feedbackService = QUrl(QStringLiteral("https://services.lumarind.app"));
    hosts.feedbackNamespace = QStringLiteral("http://services.lumarind.app/");
    hosts.contentHost = QUrl(QStringLiteral("https://content.lumarind.app"));
    hosts.trackingHost = QUrl(QStringLiteral("https://track.lumarind.app"));
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

QUrl ServiceHosts::supportPage() const {
    return QUrl(withPath(website, QStringLiteral("/support")));
}

QUrl ServiceHosts::reviewPage() const {
    return QUrl(withPath(website, QStringLiteral("/review")));
}

QString ServiceHosts::websitePage(const QString& path) const {
    return withPath(website, QLatin1Char('/') + path);
}

QString ServiceHosts::productPageUrl(const QString& productName) const {
    return websitePage(QString(productName).remove(QLatin1Char(' ')));
}

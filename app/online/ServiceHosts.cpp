#include "app/online/ServiceHosts.h"

namespace {

QString withPath(const QUrl& server, const QString& path) {
    QUrl url = server;
    url.setPath(path);
    return url.toString();
}

}  // namespace

ServiceHosts ServiceHosts::product() {
    // The maker's hosts. Plain HTTP, as the services are published.
    ServiceHosts hosts;
    hosts.feedbackService = QUrl(QStringLiteral("http://services.torvane.example"));
    hosts.feedbackNamespace = QStringLiteral("http://services.torvane.example/");
    hosts.contentHost = QUrl(QStringLiteral("http://content.torvane.example"));
    hosts.trackingHost = QUrl(QStringLiteral("http://track.torvane.example"));
    hosts.website = QUrl(QStringLiteral("http://www.torvane.example"));
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

QString ServiceHosts::productPageUrl(const QString& productName) const {
    return withPath(website, QLatin1Char('/') + QString(productName).remove(QLatin1Char(' ')));
}

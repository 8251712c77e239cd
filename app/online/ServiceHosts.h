#pragma once

#include <QString>
#include <QUrl>

// Where the maker's services and pages live. The product's addresses are kept here and nowhere else; every
// service takes a ServiceHosts, so tests point them all at a loopback server.
struct ServiceHosts {
    QUrl feedbackService;       // scheme, host and port of the feedback web service
    QString feedbackNamespace;  // the service's namespace URI, ending in "/"
    QUrl contentHost;           // the server holding the support-phone file
    QUrl trackingHost;          // the tracking service
    QUrl website;               // the maker's web site: product pages and the store pages of its applications

    // The product's own hosts.
    static ServiceHosts product();
    // Every service on one server (tests: a loopback server).
    static ServiceHosts allOn(const QUrl& server);

    QUrl feedbackEndpoint() const;       // the feedback operation's address
    QUrl supportPhoneFileUrl() const;    // the support-phone INI file
    QString trackingBase() const;        // the tracking service's base address
    QString installTrackingUrl() const;  // where install hits are registered
    QUrl supportPage() const;            // the product's support page ("/support")
    QUrl reviewPage() const;             // where the product is reviewed
    // A page of the maker's web site ("apps/framefold").
    QString websitePage(const QString& path) const;
    // The product's page on the maker's site, named after the product without its blanks.
    QString productPageUrl(const QString& productName) const;
};

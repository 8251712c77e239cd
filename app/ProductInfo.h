#pragma once

#include <QString>
#include <QUrl>

// What the application says about itself: its name, its version and the maker's web pages.
namespace ProductInfo {

// The bundle name: the log file, the defaults folder and the window titles carry it.
QString bundleName();
// The build's version; the rate prompt is not shown again for the version stored under "appVersion".
QString bundleVersion();
// The product's web site, its support page ("/support") and the page where it is reviewed.
QUrl makerSite();
QUrl supportPage();
QUrl reviewPage();

}  // namespace ProductInfo

#pragma once

#include <QString>

// What the application says about itself: its name and its version. The maker's pages are ServiceHosts'.
namespace ProductInfo {

// The bundle name: the log file, the defaults folder and the window titles carry it.
QString bundleName();
// The build's version; the rate prompt is not shown again for the version stored under "appVersion".
QString bundleVersion();

}  // namespace ProductInfo

#include "app/ProductInfo.h"

namespace ProductInfo {

QString bundleName() {
    return QStringLiteral("Lumarind");
}

QString bundleVersion() {
    return QStringLiteral(LUMARIND_VERSION);
}

QUrl makerSite() {
    return QUrl(QStringLiteral("https://lumarind.app"));
}

QUrl supportPage() {
    return QUrl(QStringLiteral("https://lumarind.app/support"));
}

QUrl reviewPage() {
    return QUrl(QStringLiteral("https://lumarind.app/review"));
}

}  // namespace ProductInfo

#include "app/ProductInfo.h"

namespace ProductInfo {

QString bundleName() {
    return QStringLiteral("Lumarind");
}

QString bundleVersion() {
    return QStringLiteral(LUMARIND_VERSION);
}

}  // namespace ProductInfo

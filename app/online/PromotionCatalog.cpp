#include "app/online/PromotionCatalog.h"

#include "app/online/Tracker.h"

#include <QJsonObject>

namespace {

struct Entry {
    const char* name;
    const char* desktopNames;  // separated by ","
    const char* description;
    const char* logo;
    const char* page;
    const char* trackCode;
    const char* trackId;
};

constexpr Entry kApplications[] = {
    {"Clonewise", "clonewise,clonewise-pro", "Finds duplicate photos and files and gives back the space.",
     "promo_clonewise", "clonewise", "cwz", "11"},
    {"Framefold", "framefold", "Turns a folder of photos into an album or a slideshow.", "promo_framefold", "framefold",
     "ffd", "14"},
    {"Tidyshelf", "tidyshelf", "Keeps the Desktop and the Downloads folder in order.", "promo_tidyshelf", "tidyshelf",
     "tds", "17"},
    {"Resizely", "resizely", "Resizes and converts whole folders of pictures at once.", "promo_resizely", "resizely",
     "rsz", "19"},
    {"Pixel Mender", "pixel-mender", "Repairs photos and pictures that no longer open.", "promo_pixelmender",
     "pixelmender", "pxm", "21"},
    {"Sharp Capture", "sharp-capture", "Takes screenshots and marks them up in seconds.", "promo_sharpcapture",
     "sharpcapture", "shc", "23"},
};

}  // namespace

QList<PromotionCandidate> PromotionCatalog::candidates(const ServiceHosts& hosts) {
    QList<PromotionCandidate> list;
    for (const Entry& entry : kApplications) {
        list.append({QString::fromUtf8(entry.name), QString::fromLatin1(entry.desktopNames).split(QLatin1Char(',')),
                     QString::fromUtf8(entry.description), QString::fromLatin1(entry.logo),
                     hosts.websitePage(QStringLiteral("apps/") + QString::fromLatin1(entry.page))});
    }
    return list;
}

std::optional<TrackName> PromotionCatalog::getAppTrackName(const QString& name) {
    for (const Entry& entry : kApplications) {
        if (name.compare(QString::fromUtf8(entry.name), Qt::CaseInsensitive) == 0)
            return TrackName{QString::fromLatin1(entry.trackCode), QString::fromLatin1(entry.trackId)};
    }
    return std::nullopt;
}

QString PromotionCatalog::appCenterUrl(int tag, const ServiceHosts& hosts) {
    if (tag < 1 || tag > int(std::size(kApplications))) return QString();
    return hosts.websitePage(QStringLiteral("apps/") + QString::fromLatin1(kApplications[tag - 1].page));
}

QString PromotionCatalog::phoneAppStoreUrl(const ServiceHosts& hosts) {
    return hosts.websitePage(QStringLiteral("apps/mobile"));
}

TrackName PromotionCatalog::phoneAppTrackName() {
    return {QStringLiteral("mob"), QStringLiteral("30")};
}

QString PromotionCatalog::facebookPageUrl(const ServiceHosts& hosts) {
    return hosts.websitePage(QStringLiteral("social/facebook"));
}

QString PromotionCatalog::twitterPageUrl(const ServiceHosts& hosts) {
    return hosts.websitePage(QStringLiteral("social/twitter"));
}

QByteArray PromotionCatalog::clickRecord(const QString& button, const TrackName& to, const QString& fromId,
                                         const QString& machine) {
    return Tracker::getJSONFromDict(QJsonObject{
        {QStringLiteral("from"), QString::fromLatin1(kFromCode)},
        {QStringLiteral("to"), to.productName},
        {QStringLiteral("mac"), machine},
        {QStringLiteral("btn"), button},
        {QStringLiteral("fromid"), fromId},
        {QStringLiteral("toid"), to.productId},
    });
}

PromotionLayout PromotionLayout::forInstalled(const QList<bool>& installed) {
    PromotionLayout layout;
    for (int i = 0; i < installed.size(); ++i) {
        const bool fillsUp = i >= 2 && layout.rows.size() < 2;
        if (!installed.at(i) && (i < 2 || fillsUp)) layout.rows.append(i);
    }
    if (layout.rows.size() == 1) {
        layout.socialShift = kShiftForOneRow;
    } else if (layout.rows.isEmpty()) {
        layout.socialShift = kShiftForNoRow;
        layout.headingVisible = false;
        layout.separatorVisible = false;
    }
    return layout;
}

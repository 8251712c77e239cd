#pragma once

#include "app/online/ServiceHosts.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One of the maker's applications the promotion panel may recommend.
struct PromotionCandidate {
    QString name;              // shown, and the key of its tracking code
    QStringList desktopNames;  // installed when any of these desktop entries exists
    QString description;
    QString logo;  // artwork name
    QString storeUrl;
};

// The tracking code and id of one of the maker's applications.
struct TrackName {
    QString productName;
    QString productId;
};

// The maker's applications, their store pages, tracking codes and social pages: product configuration.
class PromotionCatalog {
  public:
    // This product's code and id as the sender of a click record.
    static constexpr const char* kFromCode = "qzv";
    static constexpr const char* kFromId = "8";
    static constexpr const char* kButton = "exit_nag";

    // The six candidates in priority order.
    static QList<PromotionCandidate> candidates(const ServiceHosts& hosts);
    // By application name, letter case ignored; nothing for a name without a tracking code.
    static std::optional<TrackName> getAppTrackName(const QString& name);
    // The store page of the maker's application numbered 1 to 6; "" for any other number.
    static QString appCenterUrl(int tag, const ServiceHosts& hosts);
    static QString phoneAppStoreUrl(const ServiceHosts& hosts);
    static TrackName phoneAppTrackName();
    static QString facebookPageUrl(const ServiceHosts& hosts);
    static QString twitterPageUrl(const ServiceHosts& hosts);

    // The record of one click in the panel: from this product to the clicked one.
    static QByteArray clickRecord(const QString& button, const TrackName& to, const QString& fromId,
                                  const QString& machine);
};

// Which candidates the panel shows and how its social block moves: the first two that are missing from the
// machine, taking candidates 1 and 2 whenever they are missing and the others only to fill up to two rows.
struct PromotionLayout {
    static constexpr int kShiftForOneRow = 129;
    static constexpr int kShiftForNoRow = 255;

    QList<int> rows;  // candidate indices, at most two
    int socialShift = 0;
    bool headingVisible = true;
    bool separatorVisible = true;

    static PromotionLayout forInstalled(const QList<bool>& installed);
};

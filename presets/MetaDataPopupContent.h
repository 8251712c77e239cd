#pragma once

#include <QList>
#include <QString>

#include "model/MetaDataObject.h"

class DropdownCodeTables;

// What the metadata popup shows of one photo, without its widgets: the 67 labelled values read from the
// photo's file, the size line of the left panel and the pin of the map.
class MetaDataPopupContent {
  public:
    struct Row {
        QString title;
        QString value;  // as shown: "---" when there is nothing to show

        bool operator==(const Row&) const = default;
    };

    static constexpr int kRowCount = 67;
    // The value label of row n (from 0) carries the tag kFirstValueTag + n.
    static constexpr int kFirstValueTag = 4997;

    static QString emptyValueText() { return QStringLiteral("---"); }

    // The rows in display order: texts as stored, coded values by their labels, dates for people.
    static QList<Row> rows(const MetaDataObject& record, const DropdownCodeTables& tables);

    // "12.3 MB | 4000 X 3000": the size on disk and the pixel size.
    static QString sizeText(double bytesOnDisk, double width, double height);

    // The pin of the map and the region around it.
    struct Pin {
        double latitude = 0;
        double longitude = 0;
        QString title;                   // "" for a photo's own position
        bool isNoLocationFound = false;  // the pin stands for a missing or unusable position
        double centerLatitude = 0;
        double centerLongitude = 0;
        double latitudeSpan = 0;
        double longitudeSpan = 0;
        bool animated = false;
    };
    static Pin pin(const MetaDataObject& record);

    static bool isValidCoordinate(double latitude, double longitude);
};

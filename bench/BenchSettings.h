#pragma once

#include "model/MetaDataObject.h"

// The edit every benchmark makes: the four values a photographer most often sets on a batch.
inline MetaDataObject benchSettings() {
    MetaDataObject settings;
    settings.Artist = "Lumarind Bench";
    settings.Copyright = "(c) Lumarind Bench";
    settings.GPS_Lattitude = "48.858370";
    settings.GPS_LattitudeRef = "N";
    settings.GPS_Longitude = "2.294481";
    settings.GPS_LongitudeRef = "E";
    settings.isupdated_Artist = settings.isupdated_Copyright = true;
    settings.isupdated_GPS_Lattitude = settings.isupdated_GPS_LattitudeRef = true;
    settings.isupdated_GPS_Longitude = settings.isupdated_GPS_LongitudeRef = true;
    auto hourLater = std::make_shared<DateTimeConfiguration>();
    hourLater->tagConfigureOption = DateTimeConfiguration::IncDecTime;
    hourLater->stringIncDecHour = "1";
    hourLater->isIncDecMinuteKeepOriginal = hourLater->isIncDecSecondKeepOriginal = true;
    settings.dateTimeConfigOriginalDate = hourLater;
    return settings;
}

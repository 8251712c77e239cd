#pragma once

#include <QString>

// Which parts of a photo's reverse-geocoded place go into its new name (1 = ticked).
class AddEXIFLocation {
  public:
    int placeTick = 1;
    int cityTick = 1;
    int countryTick = 1;
    int stateTick = 1;
    // The page's location label, kept for the page.
    QString locationDetailFull;
    QString locationPlaceValue;
    QString locationStateValue;
    QString locationCityValue;
    QString locationCountryValue;
};

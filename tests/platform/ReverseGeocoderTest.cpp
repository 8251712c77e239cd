#include <gtest/gtest.h>

#include "platform/ReverseGeocoder.h"

using platform::GeoPlace;
using platform::ReverseGeocoder;

TEST(TheOfflineGeocoder, namesTheNearestCityWithItsStateAndCountry) {
    auto& geocoder = ReverseGeocoder::shared();
    ASSERT_GT(geocoder.placeCount(), 1000u) << "the system gazetteer did not load";
    int calls = 0;
    geocoder.reverseGeocodeLocation(48.8534, 2.3488, [&](const auto& address, const QString& error) {
        ++calls;
        ASSERT_TRUE(address.has_value());
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(address->value("City").toString(), "Paris");
        EXPECT_EQ(address->value("Name").toString(), "Paris");
        EXPECT_EQ(address->value("State").toString(), QString::fromUtf8("Île-de-France"));
        EXPECT_EQ(address->value("Country").toString(), "France");
    });
    EXPECT_EQ(calls, 1);
}

TEST(TheOfflineGeocoder, findsNoPlaceInMidOcean) {
    int calls = 0;
    ReverseGeocoder::shared().reverseGeocodeLocation(-30.0, -140.0, [&](const auto& address, const QString&) {
        ++calls;
        EXPECT_FALSE(address.has_value());
    });
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(ReverseGeocoder::shared().nearestPlace(95.0, 0.0).has_value());
    EXPECT_FALSE(ReverseGeocoder::shared().nearestPlace(std::nan(""), 0.0).has_value());
}

TEST(TheOfflineGeocoder, searchesAcrossCellAndAntimeridianEdges) {
    const ReverseGeocoder geocoder({{"East", "S", "C", 10.0, 179.9}, {"North", "S", "C", 1.01, 20.0}}, 100.0);
    EXPECT_EQ(geocoder.nearestPlace(10.0, -179.9)->name, "East");
    EXPECT_EQ(geocoder.nearestPlace(0.99, 20.0)->name, "North");
    EXPECT_FALSE(geocoder.nearestPlace(5.0, 20.0).has_value());
    EXPECT_EQ(geocoder.nearestPlace(89.99, 0.0), std::nullopt);
}

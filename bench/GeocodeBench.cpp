// Times place-name look-ups against the offline gazetteer: 10,000 positions spread over the land masses.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <cstdio>

#include "platform/ReverseGeocoder.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QElapsedTimer load;
    load.start();
    platform::ReverseGeocoder& geocoder = platform::ReverseGeocoder::shared();
    const double loadSeconds = load.elapsed() / 1000.0;
    QRandomGenerator random(42);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    int named = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const double latitude = random.bounded(120.0) - 55.0;
        const double longitude = random.bounded(360.0) - 180.0;
        geocoder.reverseGeocodeLocation(latitude, longitude, [&named](const auto& address, const QString&) {
            if (address) ++named;
        });
    }
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("%zu places loaded in %.3f s; %d look-ups in %.3f s (%d named)\n", geocoder.placeCount(), loadSeconds,
                count, seconds, named);
    return 0;
}

#pragma once

#include <QString>
#include <QVariantMap>

#include <atomic>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

#include "model/MetaDataObject.h"
#include "model/OutputRenamingOptions.h"
#include "model/PhotoFile.h"
#include "platform/ReverseGeocoder.h"

// Builds the output folder and name of each photo of a run from the renaming choices: replacement text,
// prefix and suffix, the EXIF date, the place name of the GPS position and the pixel size. Runs on the
// batch thread, one photo at a time; the place cache lives until the batch changes.
class OutputNameBuilder {
  public:
    using Clock = std::chrono::steady_clock;

    explicit OutputNameBuilder(platform::ReverseGeocoding& geocoder);

    // The renaming choices of one run, as the page holds them; values of unticked options are not taken.
    static OutputRenamingOptions getOutputFileRenamingSetting(const OutputRenamingOptions& page);
    // Taken once for the run: a record made anew for each photo would look the user's folders up every time.
    void setOutputSetting(const OutputRenamingOptions& options) {
        m_runSetting = getOutputFileRenamingSetting(options);
    }

    // The folder a photo's copy goes to: its own under "Keep Source Folder Path", else the chosen one.
    static QString destinationFolder(const OutputRenamingOptions& options, const PhotoFile& photo);
    // The full output path of one photo. Renaming warnings (status 10 and 11) are appended to
    // arrProcessedWithWarning.
    QString updatedPathWithSelectedSetting(const QString& outputFolder, const PhotoFile& photo,
                                           const MetaDataObject& settings);

    QString findLocation(double latitude, double longitude);
    QString getAlreadyStoredLocation(double latitude, double longitude);
    QString createLocationNameWithSelectedSettingsWithDict(const QVariantMap& address);
    // Drops the place cache (the batch changed).
    void resetPlaceCache() { m_arrFoundLocationDetails.clear(); }

    // A pause before each geocoder request, for services with a rate limit; none by default.
    void setGeocoderPause(std::chrono::milliseconds pause, std::function<void(std::chrono::milliseconds)> sleep);
    // How long to wait for an answer before taking it as a geocoder error, and the flag that ends the wait.
    void setGeocoderWaitLimit(std::chrono::milliseconds limit) { m_waitLimit = limit; }
    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }

    // The state of the latest call.
    OutputRenamingOptions outputSettingObject;
    bool originalDateTimeFound = true, creationDateTimeFound = true, modifyDateTimeFound = true;
    bool placeFound = false, cityFound = false, stateFound = false, countryFound = false;
    QString infoMessageForDateTime, infoMessageForGPS;
    float latFloat = 0, lngFloat = 0;
    QString locationName;
    std::vector<PhotoFile> arrProcessedWithWarning;

    static QString placeKey(double latitude, double longitude);

  private:
    void resetState();
    QString dateText(const PhotoFile& photo, const MetaDataObject& settings);
    bool usablePosition(const PhotoFile& photo, const MetaDataObject& settings);
    void reverseGeocode(double latitude, double longitude);
    void recordWarnings(const PhotoFile& photo);

    platform::ReverseGeocoding& m_geocoder;
    OutputRenamingOptions m_runSetting;
    std::vector<std::pair<QString, QVariantMap>> m_arrFoundLocationDetails;
    std::chrono::milliseconds m_pause{0};
    std::function<void(std::chrono::milliseconds)> m_sleep;
    std::chrono::milliseconds m_waitLimit{30000};
    const std::atomic<bool>* m_stop = nullptr;
};

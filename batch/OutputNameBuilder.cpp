#include "batch/OutputNameBuilder.h"

#include <QFileInfo>
#include "batch/Logging.h"

#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "model/Utils.h"
#include "platform/Numbers.h"

namespace {

// Text inserted into a file name must not turn it into a path, nor break it over lines: a typed or pasted
// line break, a tab or any other control character becomes a dash like a slash does.
QString namePart(QString text) {
    for (QChar& c : text) {
        if (c == u'/' || c.category() == QChar::Other_Control) c = u'-';
    }
    return text;
}

void removeNull(QString& name) {
    name.remove(QStringLiteral("(null)"));
}

// The record the photo was read with; a bare entry without one reads as a photo without metadata.
const MetaDataObject& originalOf(const PhotoFile& photo) {
    static const MetaDataObject none;
    return photo.metadataObjectOriginal ? *photo.metadataObjectOriginal : none;
}

QString signedText(const QString& value, const QString& ref, QChar negative) {
    return ref.toUpper() == negative ? QStringLiteral("-") + value : value;
}

// One geocoder request's answer; shared with the answer handler so a late answer has somewhere to go.
struct PendingAnswer {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::optional<QVariantMap> address;
    QString error;
};

}  // namespace

OutputNameBuilder::OutputNameBuilder(platform::ReverseGeocoding& geocoder) : m_geocoder(geocoder) {}

OutputRenamingOptions OutputNameBuilder::getOutputFileRenamingSetting(const OutputRenamingOptions& page) {
    OutputRenamingOptions record;
    record.renamingOptionIndex = page.renamingOptionIndex;
    record.addStringCheck = page.addStringCheck;
    record.addEXIFDateTimeCheck = page.addEXIFDateTimeCheck;
    record.addEXIFLocationCheck = page.addEXIFLocationCheck;
    record.appendWidthHeightCheck = page.appendWidthHeightCheck;
    record.replaceFilenameCheck = page.replaceFilenameCheck;
    record.sourceFolderSelected = page.sourceFolderSelected;
    record.outputFolderPathName = page.outputFolderPathName;
    if (page.addStringCheck != 0) record.addString = page.addString;
    if (page.addEXIFDateTimeCheck != 0) {
        record.addEXIFDateTime.asValue = page.addEXIFDateTime.asValue;
        record.addEXIFDateTime.typeValue = page.addEXIFDateTime.typeValue;
        record.addEXIFDateTime.formatValue = page.addEXIFDateTime.formatValue;
    }
    if (page.addEXIFLocationCheck != 0) {
        record.addEXIFLocation.placeTick = page.addEXIFLocation.placeTick;
        record.addEXIFLocation.cityTick = page.addEXIFLocation.cityTick;
        record.addEXIFLocation.stateTick = page.addEXIFLocation.stateTick;
        record.addEXIFLocation.countryTick = page.addEXIFLocation.countryTick;
    }
    if (page.replaceFilenameCheck != 0) record.replaceFilename = page.replaceFilename;
    return record;
}

void OutputNameBuilder::setGeocoderPause(std::chrono::milliseconds pause,
                                         std::function<void(std::chrono::milliseconds)> sleep) {
    m_pause = pause;
    m_sleep = std::move(sleep);
}

void OutputNameBuilder::resetState() {
    originalDateTimeFound = creationDateTimeFound = modifyDateTimeFound = true;
    placeFound = cityFound = stateFound = countryFound = false;
    infoMessageForDateTime.clear();
    infoMessageForGPS.clear();
    outputSettingObject = m_runSetting;
}

QString OutputNameBuilder::destinationFolder(const OutputRenamingOptions& options, const PhotoFile& photo) {
    // Paths are kept exactly as chosen: Linux file names are case-sensitive.
    return options.sourceFolderSelected == 1 ? QFileInfo(photo.filePath).path() : options.outputFolderPathName;
}

QString OutputNameBuilder::updatedPathWithSelectedSetting(const QString& /*outputFolder*/, const PhotoFile& photo,
                                                          const MetaDataObject& settings) {
    resetState();
    const OutputRenamingOptions& o = outputSettingObject;
    const QString folder = destinationFolder(o, photo);
    const QString originalBase = QFileInfo(photo.fileName).completeBaseName();
    QString name = originalBase;
    if (o.renamingOptionIndex == OutputRenamingOptions::NewFileName) {
        if (o.replaceFilenameCheck == 1) {
            name = namePart(o.replaceFilename.customNameValue);
            removeNull(name);
        }
        if (o.addStringCheck == 1) {
            name = namePart(o.addString.addStringPrefixValue) + name + namePart(o.addString.addStringSuffixValue);
            removeNull(name);
        }
        if (o.addEXIFDateTimeCheck == 1) {
            const QString date = namePart(dateText(photo, settings));
            if (o.addEXIFDateTime.asValue == AddEXIFDateTime::Prefix) name = date + name;
            if (o.addEXIFDateTime.asValue == AddEXIFDateTime::Suffix) name = name + date;
            removeNull(name);
        }
        if (o.addEXIFLocationCheck == 1) {
            if (usablePosition(photo, settings)) name += namePart(findLocation(latFloat, lngFloat));
            removeNull(name);
        }
        if (o.appendWidthHeightCheck == 1) {
            name += QStringLiteral("%1X%2")
                        .arg(std::lround(static_cast<float>(photo.width)))
                        .arg(std::lround(static_cast<float>(photo.height)));
            removeNull(name);
        }
        recordWarnings(photo);
        // A leading dot hides the copy from the user who looks for it, and "." or ".." alone would name a
        // folder; an empty name would give a hidden ".JPG".
        while (name.startsWith(u'.')) name.remove(0, 1);
        if (name.isEmpty()) name = originalBase;
    }
    return QStringLiteral("%1/%2.%3").arg(folder, name, photo.fileExtension);
}

QString OutputNameBuilder::dateText(const PhotoFile& photo, const MetaDataObject& settings) {
    const MetaDataObject& original = originalOf(photo);
    QString date;
    DateTimeConfigurationRef rule;
    bool* found = nullptr;
    switch (outputSettingObject.addEXIFDateTime.typeValue) {
        case AddEXIFDateTime::OriginalDateTime:
            date = original.Date_Original;
            rule = settings.dateTimeConfigOriginalDate;
            found = &originalDateTimeFound;
            break;
        case AddEXIFDateTime::CreationDate:
            date = original.Date_Creation;
            rule = settings.dateTimeConfigCreationDate;
            found = &creationDateTimeFound;
            break;
        case AddEXIFDateTime::ModifyDate:
            date = original.Date_Modify;
            rule = settings.dateTimeConfigModifyDate;
            found = &modifyDateTimeFound;
            break;
        default:
            return {};
    }
    if (rule && !DateTimeConfiguration::text(rule->stringSelectedDate).isEmpty()) {
        date = Utils::sharedUtils().getUpdatedOutputDateTimeStringWithConfig(*rule, date);
    }
    if (date.isEmpty()) {
        *found = false;
        return {};
    }
    const QString converted = outputSettingObject.addEXIFDateTime.formattedDate(date);
    if (!converted.isEmpty()) qCDebug(lcBatch).noquote() << QStringLiteral("Converted String : %1").arg(converted);
    return converted;
}

bool OutputNameBuilder::usablePosition(const PhotoFile& photo, const MetaDataObject& settings) {
    const MetaDataObject& original = originalOf(photo);
    QString latitude = signedText(original.GPS_Lattitude, original.GPS_LattitudeRef, u'S');
    QString longitude = signedText(original.GPS_Longitude, original.GPS_LongitudeRef, u'W');
    if (!settings.GPS_Lattitude.isEmpty())
        latitude = signedText(settings.GPS_Lattitude, settings.GPS_LattitudeRef, u'S');
    if (!settings.GPS_Longitude.isEmpty()) {
        longitude = signedText(settings.GPS_Longitude, settings.GPS_LongitudeRef, u'W');
    }
    latFloat = platform::floatValue(latitude);
    lngFloat = platform::floatValue(longitude);
    // Under a degree either way counts as no position at all (0,0 is where missing GPS points).
    return std::isfinite(latFloat) && std::isfinite(lngFloat) && static_cast<int>(latFloat) != 0 &&
           static_cast<int>(lngFloat) != 0;
}

void OutputNameBuilder::recordWarnings(const PhotoFile& photo) {
    if (!originalDateTimeFound) {
        infoMessageForDateTime = QStringLiteral("EXIF Original Date/Time not found at the time of renaming!");
    } else if (!creationDateTimeFound) {
        infoMessageForDateTime = QStringLiteral("EXIF Creation Date/Time not found at the time of renaming!");
    } else if (!modifyDateTimeFound) {
        infoMessageForDateTime = QStringLiteral("EXIF Modify Date/Time not found at the time of renaming!");
    }
    const AddEXIFLocation& ticks = outputSettingObject.addEXIFLocation;
    QStringList missing;
    if (ticks.placeTick == 1 && !placeFound) missing << QStringLiteral("Place");
    if (ticks.cityTick == 1 && !cityFound) missing << QStringLiteral("City");
    if (ticks.stateTick == 1 && !stateFound) missing << QStringLiteral("State");
    if (ticks.countryTick == 1 && !countryFound) missing << QStringLiteral("Country");
    if (!missing.isEmpty()) {
        infoMessageForGPS = QStringLiteral("EXIF GPS - %1 not found at the time of renaming!").arg(missing.join(u','));
    }
    auto warn = [&](int status, const QString& message) {
        PhotoFile warning;
        warning.filePath = photo.filePath;
        warning.processStatus = status;
        warning.processMsg = message;
        arrProcessedWithWarning.push_back(std::move(warning));
    };
    if (outputSettingObject.addEXIFDateTimeCheck == 1 && !infoMessageForDateTime.isEmpty()) {
        warn(StatusDateNotFoundForRenaming, infoMessageForDateTime);
    }
    if (outputSettingObject.addEXIFLocationCheck == 1 && !infoMessageForGPS.isEmpty()) {
        warn(StatusLocationNotFoundForRenaming, infoMessageForGPS);
    }
}

QString OutputNameBuilder::placeKey(double latitude, double longitude) {
    return platform::formatFixed(latitude) + u'_' + platform::formatFixed(longitude);
}

QString OutputNameBuilder::getAlreadyStoredLocation(double latitude, double longitude) {
    const QString key = placeKey(latitude, longitude);
    for (const auto& [entryKey, address] : m_arrFoundLocationDetails) {
        if (entryKey == key) return createLocationNameWithSelectedSettingsWithDict(address);
    }
    return {};
}

QString OutputNameBuilder::findLocation(double latitude, double longitude) {
    const QString stored = getAlreadyStoredLocation(latitude, longitude);
    if (!stored.isEmpty()) return stored;
    if (m_pause.count() > 0 && m_sleep) m_sleep(m_pause);
    reverseGeocode(latitude, longitude);
    return locationName;
}

void OutputNameBuilder::reverseGeocode(double latitude, double longitude) {
    auto pending = std::make_shared<PendingAnswer>();
    m_geocoder.reverseGeocodeLocation(latitude, longitude,
                                      [pending](const std::optional<QVariantMap>& address, const QString& error) {
                                          std::lock_guard lock(pending->mutex);
                                          if (pending->done) return;
                                          pending->address = address;
                                          pending->error = error;
                                          pending->done = true;
                                          pending->answered.notify_all();
                                      });
    // Wait in short slices so Stop ends the wait, and never longer than the limit.
    const auto deadline = Clock::now() + m_waitLimit;
    std::unique_lock lock(pending->mutex);
    while (!pending->done) {
        if ((m_stop && m_stop->load()) || Clock::now() >= deadline) break;
        pending->answered.wait_for(lock, std::chrono::milliseconds(50));
    }
    if (!pending->done) {
        pending->done = true;  // a late answer is dropped
        const QString why =
            m_stop && m_stop->load() ? QStringLiteral("the run was stopped") : QStringLiteral("no answer in time");
        qCInfo(lcBatch).noquote() << QStringLiteral("Geocode failed with error: %1").arg(why);
        locationName.clear();
        return;
    }
    if (!pending->error.isEmpty()) {
        qCInfo(lcBatch).noquote() << QStringLiteral("Geocode failed with error: %1").arg(pending->error);
        locationName.clear();
        return;
    }
    if (!pending->address) {
        locationName.clear();
        return;
    }
    locationName = createLocationNameWithSelectedSettingsWithDict(*pending->address);
    m_arrFoundLocationDetails.emplace_back(placeKey(latitude, longitude), *pending->address);
}

QString OutputNameBuilder::createLocationNameWithSelectedSettingsWithDict(const QVariantMap& address) {
    const AddEXIFLocation& ticks = outputSettingObject.addEXIFLocation;
    struct Part {
        int tick;
        const char* key;
        bool* found;
    };
    const Part parts[] = {{ticks.placeTick, "Name", &placeFound},
                          {ticks.cityTick, "City", &cityFound},
                          {ticks.stateTick, "State", &stateFound},
                          {ticks.countryTick, "Country", &countryFound}};
    QString name;
    for (const Part& part : parts) {
        if (part.tick != 1) continue;
        QString value = address.value(QLatin1String(part.key)).toString();
        value.replace(u' ', u'-');
        if (value.isEmpty()) continue;
        *part.found = true;
        name += u'_' + value;
    }
    return name.isEmpty() ? name : name.mid(1);
}

#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariantMap>

#include <optional>

#include "model/DateTimeConfiguration.h"
#include "model/ResultCodes.h"

// The metadata of one photo, of the editing form or of a preset. A plain value: records cross threads by
// copy, and the date-time rules inside are immutable and shared, so copying a record never copies a rule.
//
// A text field holds "" for "no value". It may also be null (a decoded archive without the key, or a holder
// that set it so); every operation tests the length, so null counts as empty. Which file keys belong to a
// field, and every loop over the 80 fields, come from MetadataKeyTable.
class MetaDataObject {
  public:
    static constexpr int fieldCount = 80;

    // A fresh record: every text field and name "", every flag NO, six distinct default rules.
    MetaDataObject();
    // Sets the text fields and name to "", the change flags to NO and six new default rules; leaves the
    // editing option and the switches alone.
    void commonInit();

    // A fresh record filled from the photo at path by the metadata reader.
    static MetaDataObject initWithFile(const QString& path);
    // A copy for the batch and the forms. Change flags, isReset and isLoadedFromLastSession are not
    // copied; a null XMP_Keyword becomes "".
    static MetaDataObject initWithObject(const MetaDataObject& source);
    // Merges a preset into target and returns target. A preset value wins when it is non-empty or its flag
    // is set; the DimResolution_ values and the name never change; option, switches, all flags and the
    // rules are taken over unconditionally.
    static MetaDataObject& appendPresetObjectToMetaDataObject(MetaDataObject& target, const MetaDataObject& preset);
    // With editing option 2, empties the fields of every group whose clear switch is on; returns record.
    static MetaDataObject& metadataObjectWithCleanInfoUpdation(MetaDataObject& record);

    // Keyed coding. The object carries "$class": "MetaDataObject" and one key per archived member, named
    // as the member; null members are written as JSON null. Change flags, isReset and
    // isLoadedFromLastSession are not archived.
    QJsonObject encodeWithCoder() const;
    // Without defaults: a missing or null key gives a null text, a null rule, or 0 / NO. Nothing when the
    // object is not a MetaDataObject archive; the reason goes to *error.
    static std::optional<MetaDataObject> initWithCoder(const QJsonObject& coder, QString* error = nullptr);

    // Image-property dictionaries: group name ("{Exif}", "{TIFF}", "{GPS}", "{IPTC}", "{ExifAux}") to a map
    // of property name to value.
    static MetaDataObject initWithDict(const QVariantMap& dict);
    void resetAllWithDict(const QVariantMap& dict);
    static QVariantMap metadataDictFromObject(const MetaDataObject& object, const QVariantMap& oldDict,
                                              const MetaDataObject& updatedMetadataObject);

    // ---- Text fields ----
    QString Artist, ImageDescription, Copyright, Software, UserComment;
    QString Cam_Make, Cam_ModelName, Cam_OwnerName, Cam_SerialNumber;
    QString Date_Original, Date_Creation, Date_Modify;
    QString CamSetting_ISO, CamSetting_FNumber, CamSetting_Aperture, CamSetting_ShutterSpeed, CamSetting_FocalLength,
        CamSetting_FocalLengthIn35mmFormat, CamSetting_ExposureCompensation, CamSetting_Flash, CamSetting_Orientation;
    QString AdvCamSetting_ColorSpace, AdvCamSetting_ComponentsConfiguration, AdvCamSetting_ExposureMode,
        AdvCamSetting_ExposureProgram, AdvCamSetting_ExposureTime, AdvCamSetting_MateringMode,
        AdvCamSetting_SceneCaptureType, AdvCamSetting_WhiteBalance, AdvCamSetting_Saturation,
        AdvCamSetting_SensingMethod, AdvCamSetting_Sharpness, AdvCamSetting_SubjectDistanceRange;
    QString Lens_LensMake, Lens_Lens, Lens_LensModel, Lens_LensSerialNumber;
    QString DimResolution_ExifImageWidth, DimResolution_ExifImageHeight, DimResolution_XResolution,
        DimResolution_YResolution, DimResolution_ResolutionUnit;
    QString GPS_Lattitude, GPS_LattitudeRef, GPS_Longitude, GPS_LongitudeRef, GPS_Altitude, GPS_AltitudeRef,
        GPS_ImgDirection, GPS_ImgDirectionRef, GPS_DateStamp;
    QString IPTC_ByLine, IPTC_ByLineTitle, IPTC_CopyrightNotice, IPTC_Contact, IPTC_Headline, IPTC_CaptionAbstract,
        IPTC_WriterEditor, IPTC_ObjectName, IPTC_Category, IPTC_SupplementalCategories, IPTC_DateCreated, IPTC_Keywords,
        IPTC_SubLocation, IPTC_City, IPTC_ProvinceState, IPTC_CountryPrimaryLocationName,
        IPTC_CountryPrimaryLocationCode, IPTC_OriginalTransmissionRef, IPTC_SpecialInstructions, IPTC_Credit,
        IPTC_Source;
    QString XMP_SerialNumber, XMP_Lens, XMP_Keyword, XMP_CreationDate, XMP_ModifyDate, XMP_Latitude, XMP_Longitude,
        XMP_PhotoshopDateCreated;

    // ---- Other members ----
    QString name;
    int editingOption = OnlyModifyEditedFields;  // a MetadataEditingOption
    // MetadataClearGroup: which groups option 2 empties.
    bool clearComment = false;
    bool clearExif = false;
    bool clearIPTC = false;
    bool clearGpsInfo = false;
    bool clearXMP = false;
    // Kept for the editing form; never copied or archived.
    bool isReset = false;
    bool isLoadedFromLastSession = false;

    // ---- Change flags: the user changed the field in a form (setting a field never sets its flag) ----
    bool isupdated_Artist = false, isupdated_ImageDescription = false, isupdated_Copyright = false,
         isupdated_Software = false, isupdated_UserComment = false;
    bool isupdated_Cam_Make = false, isupdated_Cam_ModelName = false, isupdated_Cam_OwnerName = false,
         isupdated_Cam_SerialNumber = false;
    bool isupdated_Date_Original = false, isupdated_Date_Creation = false, isupdated_Date_Modify = false;
    bool isupdated_CamSetting_ISO = false, isupdated_CamSetting_FNumber = false, isupdated_CamSetting_Aperture = false,
         isupdated_CamSetting_ShutterSpeed = false, isupdated_CamSetting_FocalLength = false,
         isupdated_CamSetting_FocalLengthIn35mmFormat = false, isupdated_CamSetting_ExposureCompensation = false,
         isupdated_CamSetting_Flash = false, isupdated_CamSetting_Orientation = false;
    bool isupdated_AdvCamSetting_ColorSpace = false, isupdated_AdvCamSetting_ComponentsConfiguration = false,
         isupdated_AdvCamSetting_ExposureMode = false, isupdated_AdvCamSetting_ExposureProgram = false,
         isupdated_AdvCamSetting_ExposureTime = false, isupdated_AdvCamSetting_MateringMode = false,
         isupdated_AdvCamSetting_SceneCaptureType = false, isupdated_AdvCamSetting_WhiteBalance = false,
         isupdated_AdvCamSetting_Saturation = false, isupdated_AdvCamSetting_SensingMethod = false,
         isupdated_AdvCamSetting_Sharpness = false, isupdated_AdvCamSetting_SubjectDistanceRange = false;
    bool isupdated_Lens_LensMake = false, isupdated_Lens_Lens = false, isupdated_Lens_LensModel = false,
         isupdated_Lens_LensSerialNumber = false;
    bool isupdated_DimResolution_ExifImageWidth = false, isupdated_DimResolution_ExifImageHeight = false,
         isupdated_DimResolution_XResolution = false, isupdated_DimResolution_YResolution = false,
         isupdated_DimResolution_ResolutionUnit = false;
    bool isupdated_GPS_Lattitude = false, isupdated_GPS_LattitudeRef = false, isupdated_GPS_Longitude = false,
         isupdated_GPS_LongitudeRef = false, isupdated_GPS_Altitude = false, isupdated_GPS_AltitudeRef = false,
         isupdated_GPS_ImgDirection = false, isupdated_GPS_ImgDirectionRef = false, isupdated_GPS_DateStamp = false;
    bool isupdated_IPTC_ByLine = false, isupdated_IPTC_ByLineTitle = false, isupdated_IPTC_CopyrightNotice = false,
         isupdated_IPTC_Contact = false, isupdated_IPTC_Headline = false, isupdated_IPTC_CaptionAbstract = false,
         isupdated_IPTC_WriterEditor = false, isupdated_IPTC_ObjectName = false, isupdated_IPTC_Category = false,
         isupdated_IPTC_SupplementalCategories = false, isupdated_IPTC_DateCreated = false,
         isupdated_IPTC_Keywords = false, isupdated_IPTC_SubLocation = false, isupdated_IPTC_City = false,
         isupdated_IPTC_ProvinceState = false, isupdated_IPTC_CountryPrimaryLocationName = false,
         isupdated_IPTC_CountryPrimaryLocationCode = false, isupdated_IPTC_OriginalTransmissionRef = false,
         isupdated_IPTC_SpecialInstructions = false, isupdated_IPTC_Credit = false, isupdated_IPTC_Source = false;
    bool isupdated_XMP_SerialNumber = false, isupdated_XMP_Lens = false, isupdated_XMP_Keyword = false,
         isupdated_XMP_CreationDate = false, isupdated_XMP_ModifyDate = false, isupdated_XMP_Latitude = false,
         isupdated_XMP_Longitude = false, isupdated_XMP_PhotoshopDateCreated = false;

    // ---- Date-time rules (null only in a decoded record whose archive lacked the key) ----
    DateTimeConfigurationRef dateTimeConfigOriginalDate;
    DateTimeConfigurationRef dateTimeConfigCreationDate;
    DateTimeConfigurationRef dateTimeConfigModifyDate;
    DateTimeConfigurationRef dateTimeConfigXMPCreationDate;
    DateTimeConfigurationRef dateTimeConfigXMPModifyDate;
    DateTimeConfigurationRef dateTimeConfigPhotoshopCreationDate;

  private:
    struct Uninitialised {};
    // Every text null, every rule null, every number 0: the starting point of keyed decoding.
    explicit MetaDataObject(Uninitialised) {}
};

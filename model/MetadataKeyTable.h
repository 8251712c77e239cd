#pragma once

#include <QString>

#include <span>

#include "model/DateTimeConfiguration.h"
#include "model/MetaDataObject.h"

// The clear switches of a record (MetadataClearGroup), as bits so a row can name several.
enum class MetadataClearSwitch : unsigned {
    None = 0,
    Exif = 1u << 0,     // clearExif
    Comment = 1u << 1,  // clearComment
    GpsInfo = 1u << 2,  // clearGpsInfo
    IPTC = 1u << 3,     // clearIPTC
    XMP = 1u << 4,      // clearXMP
};
using MetadataClearMask = unsigned;
constexpr MetadataClearMask operator|(MetadataClearSwitch a, MetadataClearSwitch b) {
    return static_cast<unsigned>(a) | static_cast<unsigned>(b);
}
constexpr MetadataClearMask operator|(MetadataClearMask a, MetadataClearSwitch b) {
    return a | static_cast<unsigned>(b);
}
constexpr bool hasSwitch(MetadataClearMask mask, MetadataClearSwitch s) {
    return (mask & static_cast<unsigned>(s)) != 0;
}

// The groups of the record's fields, in declaration order.
enum class MetadataFieldGroup {
    Plain,
    Camera,
    Dates,
    CameraSettings,
    AdvancedCameraSettings,
    Lens,
    DimResolution,
    GPS,
    IPTC,
    XMP
};

// How the reader turns the value of the field's key into the field's text. Rational values first go through
// their family's fraction rule.
enum class MetadataReadForm {
    None,            // never set from the file
    Text,            // the value's text
    TextOrFirst,     // a list gives its first number ("%f"); anything else the value's text
    FirstOrValue,    // a list as above; anything else the value itself, untrimmed
    ExifCoordinate,  // degrees, minutes and seconds to decimal degrees
    Comment,         // the user comment's own text, without a declared character set
    KeywordList,     // every distinct keyword dataset, joined with "," (and written back one dataset per item)
    XmpKeyword,      // the value's text; a packet without the key leaves the field as it was
    XmpCoordinate,   // "DDD,MM,SSk" or "DDD,MM.mmk" to signed decimal degrees
};

// The text form in which the field pass assigns a value. Text is always written as UTF-8.
enum class MetadataWriteForm {
    None,      // neither assigned nor erased by the field pass (nor by clear-others)
    Utf8,      // UTF-8 text
    Fraction,  // a fraction text from the value's float reading
    Double,    // a value of type double
};

// One field of MetaDataObject and every use of its file keys.
struct MetadataKeyRow {
    const char* name;  // the field's name, also its archive key
    QString MetaDataObject::*field;
    bool MetaDataObject::*updated;  // its isupdated_ flag
    MetadataFieldGroup group;
    MetadataClearSwitch clearSwitch;  // the switch whose group holds the field (clean-info update)
    const char* key;                  // nullptr: the field has no key
    MetadataReadForm read;
    MetadataWriteForm write;
    bool rawFileGuard;                                   // camera make/model: never changed on a raw file
    const char* xmpMirrorKey;                            // also written, as signed decimal text (GPS position)
    DateTimeConfigurationRef MetaDataObject::*dateRule;  // the rule the date pass rebuilds key from
    const char* dateRuleAlsoKey;                         // a further copy of the date that moves with it
    bool leaveBlank;                                     // "Leave Blank" erases key
    MetadataClearMask cleanSwitches;                     // clean mode erases key under any of these
    MetadataClearMask mirrorCleanSwitches;               // clean mode erases xmpMirrorKey under any of these
    // An edit of the field reaches the changed-fields record, the one that a clear-others run keeps. The
    // pixel size, resolution and GPS date describe the photo itself and are never edited for a batch.
    bool entersChangedFields;

    QString fieldName() const { return QString::fromLatin1(name); }
    QString keyText() const { return key ? QString::fromLatin1(key) : QString(); }
};

// A key that no field owns, erased by clean mode only.
struct MetadataCleanOnlyKey {
    const char* key;
    MetadataClearMask cleanSwitches;
};

// The one mapping between the 80 fields of MetaDataObject and the EXIF, IPTC and XMP keys (libexiv2 key
// texts). The record's own operations, the reader, the writer's passes, clear-others and clean mode all walk
// these rows, so a field is added or moved in one place.
class MetadataKeyTable {
  public:
    // The 80 rows in the record's declaration order.
    static std::span<const MetadataKeyRow> rows();
    static std::span<const MetadataCleanOnlyKey> cleanOnlyKeys();
    // The row of a field name ("GPS_Lattitude"); nullptr when there is none.
    static const MetadataKeyRow* rowForField(const QString& fieldName);

    // The record's member for one clear switch (None gives nullptr).
    static bool MetaDataObject::*switchMember(MetadataClearSwitch clearSwitch);
    // The switches that are on in a record.
    static MetadataClearMask switchesOn(const MetaDataObject& record);

    // The six rule members, in archive order, with their names.
    struct RuleMember {
        const char* name;
        DateTimeConfigurationRef MetaDataObject::*member;
    };
    static std::span<const RuleMember> ruleMembers();

    // The value that marks a dropdown field for removal.
    static QString leaveBlankText() { return QStringLiteral("Leave Blank"); }
};

#pragma once

#include <QString>

#include "model/DateTimeConfiguration.h"
#include "model/MetaDataObject.h"

class PhotoFile;
class WriteSession;

// Rebuilds the six dates of the copy by the settings record's date-time rules, each from the date the photo
// carried when it was added. A rule with no result removes its date only when the user changed that field;
// otherwise the field pass's outcome stays. Where the date taken moves, the copies of it that the photo keeps
// (the IPTC date and time created, the XMP date taken) move with it; only the "Empty Value" rule removes them.
class WriteDatePass {
  public:
    static void apply(WriteSession& session);

    // The rule's text for the photo's own value of a date field ("" when there is none). A record decoded
    // without a rule keeps the original, as a default rule does.
    static QString ruleResult(const DateTimeConfigurationRef& rule, const PhotoFile& photo,
                              QString MetaDataObject::*dateField);
    // The same for a date given as text.
    static QString ruleResult(const DateTimeConfigurationRef& rule, const QString& date);
};

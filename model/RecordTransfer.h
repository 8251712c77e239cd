#pragma once

#include <QJsonObject>

#include <optional>

#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

// The forms in which records cross between the application and the metadata worker processes: the
// preset archive's JSON form, plus what the archive leaves out but a write needs (the change flags).
class RecordTransfer {
  public:
    // The whole record: its archive form and the names of the fields whose change flag is set.
    static QJsonObject record(const MetaDataObject& record);
    static std::optional<MetaDataObject> recordFrom(const QJsonObject& form);

    // Only the 80 text fields that hold a value, under their archive names: what a read answers.
    static QJsonObject fields(const MetaDataObject& record);
    // Sets the fields named in the form; every other text field keeps its value ("" for a null one).
    static void applyFields(const QJsonObject& form, MetaDataObject& record);

    // A batch photo as a write reads it: without its thumbnail, without its edited record, for which the run's
    // records stand in, and with its original record as the text fields that hold a value (see fields): the date
    // rules start from its dates, and a write reads nothing else of it.
    static QJsonObject photo(const PhotoFile& photo);
    static PhotoFile photoFrom(const QJsonObject& form);
};

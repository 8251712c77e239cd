#pragma once

#include "model/MetaDataObject.h"
#include "model/PhotoFile.h"

#include <QList>
#include <QMetaType>

#include <bitset>
#include <optional>

// The one record the form edits for all ticked photos. Runs on a worker: it reads only the photos handed
// to it and returns its result, which the main thread alone assigns.
class SelectionMerge {
  public:
    using FieldSet = std::bitset<MetaDataObject::fieldCount>;  // by key-table row index

    struct Result {
        // A fresh record holding each merge field all photos agree on (with one photo: every merge field).
        MetaDataObject merged;
        // The fields some photo holds a non-empty value for (what the placeholders need).
        FieldSet heldByAny;
        int photoCount = 0;
    };

    // updateMetaDataObjectForSelectedFiles: nothing for an empty list. With two or more photos a field is
    // kept only when the first photo's value is not empty and every other photo holds exactly the same
    // text; editing option, switches, flags and date rules of the photos are never merged.
    static std::optional<Result> updateMetaDataObjectForSelectedFiles(const QList<PhotoFile>& photos);

    // The 74 merge fields: every field but the five DimResolution_ fields and GPS_DateStamp.
    static const FieldSet& mergeFields();
};

Q_DECLARE_METATYPE(SelectionMerge::Result)

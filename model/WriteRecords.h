#pragma once

#include <QtGlobal>

#include "model/MetaDataObject.h"

// The two records every copy of a run is written with: the form's settings and the fields the user changed.
// They are made once when the run starts and never change, so they need to cross to a metadata worker only
// once: the worker keeps them and the run's later photos name them by their identity instead of bringing them
// along, which spares encoding and decoding both records with every photo. A copy holds the same records and
// keeps their identity.
class WriteRecords {
  public:
    WriteRecords(MetaDataObject settings, MetaDataObject changedFields);

    const MetaDataObject& settings() const { return m_settings; }
    const MetaDataObject& changedFields() const { return m_changedFields; }
    // Never 0, and never the same for two sets made in one process.
    quint64 identity() const { return m_identity; }

  private:
    MetaDataObject m_settings;
    MetaDataObject m_changedFields;
    quint64 m_identity;
};

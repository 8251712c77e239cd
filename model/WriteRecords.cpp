#include "model/WriteRecords.h"

#include <atomic>

namespace {

quint64 nextIdentity() {
    static std::atomic<quint64> last{0};
    return ++last;
}

}  // namespace

WriteRecords::WriteRecords(MetaDataObject settings, MetaDataObject changedFields)
    : m_settings(std::move(settings)), m_changedFields(std::move(changedFields)), m_identity(nextIdentity()) {}

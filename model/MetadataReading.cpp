#include "model/MetadataReading.h"

#include "model/Logging.h"

#include <mutex>

const MetadataReading* MetadataReading::required() {
    const MetadataReading* reader = shared();
    if (!reader) {
        static std::once_flag reported;
        std::call_once(reported, [] {
            qCCritical(lcModel) << "A photo was read before the metadata reader was installed; it reads as empty";
        });
        Q_ASSERT_X(false, "MetadataReading::required", "no metadata reader installed");
    }
    return reader;
}

#include "batch/BatchResultCount.h"

#include "model/ResultCodes.h"

namespace {

using Counter = BatchResultCount::Counter;

struct WrittenFlag {
    int flag;
    BatchResultCount count;
};

// The flags of a written copy; any other answer is the default: an error, alone.
constexpr WrittenFlag kWrittenFlags[] = {
    {ExifWriteSucceeded, {Counter::ProcessedSuccessfully, false, false, true}},
    {ExifWriteRawCameraKept, {Counter::ProcessedSuccessfully, false, true, true}},
};

}  // namespace

BatchResultCount BatchResultCount::forFlag(int errorFlag) {
    for (const WrittenFlag& written : kWrittenFlags) {
        if (written.flag == errorFlag) return written.count;
    }
    return {};
}

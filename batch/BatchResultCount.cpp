#include "batch/BatchResultCount.h"

#include "model/ResultCodes.h"

namespace {

struct WrittenFlag {
    int flag;
    BatchResultCount count;
};

// The flags of a written copy; any other answer is the default: an error, alone.
constexpr WrittenFlag kWrittenFlags[] = {
    {ExifWriteSucceeded, {.written = true}},
    {ExifWriteRawCameraKept, {.written = true, .listedAsWarning = true}},
};

}  // namespace

BatchResultCount BatchResultCount::forFlag(int errorFlag) {
    for (const WrittenFlag& written : kWrittenFlags) {
        if (written.flag == errorFlag) return written.count;
    }
    return {};
}

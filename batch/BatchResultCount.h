#pragma once

// How one photo's answer counts in its run, by one rule for every kind of answer: the counter it adds to
// (the summary's processed photos or its errors) and the lists of the summary it stands in.
struct BatchResultCount {
    // A copy was written: the photo counts as processed and keeps the renaming warnings of the name it got.
    // One that was not counts as an error and is listed with its error alone.
    bool written = false;
    // Written, with something the user should know: a raw file kept its own camera make and model.
    bool listedAsWarning = false;

    // A writer's flag (ExifWriteErrorFlag); every flag that says no copy was written counts as an error.
    static BatchResultCount forFlag(int errorFlag);
};

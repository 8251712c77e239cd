#pragma once

// How one photo's answer counts in its run, by one rule for every kind of answer: the counter it adds to
// (the summary's processed photos or its errors) and the lists of the summary it stands in.
struct BatchResultCount {
    enum class Counter { ProcessedSuccessfully, ProcessedWithError };

    Counter counter = Counter::ProcessedWithError;
    bool listedAsError = true;
    // Written, with something the user should know: a raw file kept its own camera make and model.
    bool listedAsWarning = false;
    // A photo that was not written carries only its error: a name it never got has nothing to warn about.
    bool keepsRenamingWarnings = false;

    // A writer's flag (ExifWriteErrorFlag); every flag that says no copy was written counts as an error.
    static BatchResultCount forFlag(int errorFlag);
};

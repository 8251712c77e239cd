#pragma once

#include <QString>

#include "model/OutputRenamingOptions.h"

// What the Start button does after its checks: open the destination panel, or stop with one of the
// editing screen's alerts (their numbers are the EditorAlertTag values).
class StartDecision {
  public:
    enum Outcome {
        OpenDestinationPanel = 0,
        ErrorsFound = 112,             // the form failed its checks
        NoRenamingOptionChosen = 113,  // new names asked for, no part ticked; its Yes opens the panel
        FilenameBlank = 114,           // the replacement name is empty
        PrefixSuffixBlank = 115,       // prefix and suffix are both empty
    };

    // formIsValid: the answer of the form's checks. The three texts are the renaming page's replacement
    // name, prefix and suffix fields.
    static Outcome decide(bool formIsValid, const OutputRenamingOptions& options, const QString& replacementName,
                          const QString& prefix, const QString& suffix);
};

#include "editor/StartDecision.h"

StartDecision::Outcome StartDecision::decide(bool formIsValid, const OutputRenamingOptions& options,
                                             const QString& replacementName, const QString& prefix,
                                             const QString& suffix) {
    if (!formIsValid) return ErrorsFound;
    if (options.renamingOptionIndex != OutputRenamingOptions::NewFileName) return OpenDestinationPanel;
    // A tick counts only when it holds exactly 1.
    const bool anyPart = options.replaceFilenameCheck == 1 || options.addStringCheck == 1 ||
                         options.addEXIFDateTimeCheck == 1 || options.addEXIFLocationCheck == 1 ||
                         options.appendWidthHeightCheck == 1;
    if (!anyPart) return NoRenamingOptionChosen;
    if (options.replaceFilenameCheck == 1 && replacementName.isEmpty()) return FilenameBlank;
    if (options.addStringCheck == 1 && prefix.isEmpty() && suffix.isEmpty()) return PrefixSuffixBlank;
    return OpenDestinationPanel;
}

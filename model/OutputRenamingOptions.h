#pragma once

#include <QString>

#include "model/AddEXIFDateTime.h"
#include "model/AddEXIFLocation.h"
#include "model/AddString.h"
#include "model/AppendWidthHeight.h"
#include "model/ReplaceFilename.h"

// The output page's choices for one batch: whether copies keep their names or get new ones from the ticked
// options, where they go, and each option's values. Filled once and then only read, so it crosses to the
// batch thread by value. The ticks and switches count only when they hold exactly 1.
class OutputRenamingOptions {
  public:
    // FileRenamingMode
    enum FileRenamingMode { KeepFileName = 0, NewFileName = 1 };

    OutputRenamingOptions();

    int renamingOptionIndex = KeepFileName;
    int addStringCheck = 0;
    int addEXIFDateTimeCheck = 0;
    int addEXIFLocationCheck = 0;
    int appendWidthHeightCheck = 0;
    int replaceFilenameCheck = 0;
    // 1: each copy goes beside its source; otherwise into outputFolderPathName.
    int sourceFolderSelected = 0;
    AddEXIFDateTime addEXIFDateTime;
    AddEXIFLocation addEXIFLocation;
    AppendWidthHeight appendWidthHeight;
    ReplaceFilename replaceFilename;
    AddString addString;
    QString outputFolderPathName;
};

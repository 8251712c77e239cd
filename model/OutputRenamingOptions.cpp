#include "model/OutputRenamingOptions.h"

#include "platform/StandardPaths.h"

OutputRenamingOptions::OutputRenamingOptions()
    : ouptputFolderPathName(platform::StandardPaths::defaultOutputFolder()) {}

#include "model/OutputRenamingOptions.h"

#include "platform/StandardPaths.h"

OutputRenamingOptions::OutputRenamingOptions() : outputFolderPathName(platform::StandardPaths::defaultOutputFolder()) {}

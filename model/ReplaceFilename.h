#pragma once

#include <QString>

// The base name that replaces each photo's name when the renaming page's replace option is ticked.
class ReplaceFilename {
  public:
    QString customNameValue;
};

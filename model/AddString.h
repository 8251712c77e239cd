#pragma once

#include <QString>

// The texts put before and after a photo's name when the renaming page's text option is ticked.
class AddString {
  public:
    QString addStringPrefixValue;
    QString addStringSuffixValue;
};

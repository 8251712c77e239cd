#pragma once

#include <QString>

// The size option of the renaming page. The renamer appends the photo's own width and height; the label is
// only kept for the page.
class AppendWidthHeight {
  public:
    QString widthHeightValue;
};

#pragma once

#include "batch/BatchRunner.h"

// The batch's writer: the shared Exiv2 writer, answering in the batch's terms.
class ExifPhotoWriter {
  public:
    static PhotoWriter make();
};

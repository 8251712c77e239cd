#pragma once

#include "batch/BatchRunner.h"

// The batch's writer: the shared pool of metadata worker processes, answering in the batch's terms.
class ExifPhotoWriter {
  public:
    static PhotoWriter make();
};

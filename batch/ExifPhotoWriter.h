#pragma once

#include "batch/BatchRunner.h"

class MetadataWorkerPool;

// The batch's writer: a pool of metadata worker processes, answering in the batch's terms.
class ExifPhotoWriter {
  public:
    // Through the application's shared pool.
    static PhotoWriter make();
    // Through the given pool, which must outlive the writer.
    static PhotoWriter make(const MetadataWorkerPool& pool);
};

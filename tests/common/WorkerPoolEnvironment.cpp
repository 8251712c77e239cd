// Linked into test programs whose code under test reads photos: they read through the metadata workers,
// as the application does.
#include "Helper/MetadataWorkerPool.h"

#include <gtest/gtest.h>

namespace {

class WorkerPoolEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { MetadataWorkerPool::install(); }
};

const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new WorkerPoolEnvironment);

}  // namespace

#include "Helper/MetadataWorkerPool.h"
#include "tests/Helper/HelperFixtures.h"

void helperfixtures::installReader() {
    MetadataWorkerPool::install();
}

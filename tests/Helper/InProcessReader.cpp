#include "Helper/ExifMetadataReading.h"
#include "tests/Helper/HelperFixtures.h"

void helperfixtures::installReader() {
    ExifMetadataReading::install();
}

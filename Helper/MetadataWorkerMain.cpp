#include "Helper/MetadataWorker.h"

int main(int argc, char** argv) {
    return MetadataWorker::run(argc, argv);
}

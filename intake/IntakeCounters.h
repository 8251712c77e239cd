#pragma once

// What one add operation met, read by the closing alert. Plain value: the import thread fills its own
// copy and the main thread takes it over at the hand-back.
struct IntakeCounters {
    int totalPhotoToAdd = 0;
    int damagedFileCount = 0;  // every refused file, duplicates included
    int alreadyExistsPhotosCount = 0;
    int unreadableNameCount = 0;  // refused because their names are not valid text (also in damagedFileCount)
    int failedReadCount = 0;      // refused because the metadata reader failed on them twice (also counted there)
    int lockedLibraryCount = 0;   // photo libraries another program kept locked (also counted there)
    bool isPhotosAlreadyAdded = false;
    bool isPhotoFormatNotSupported = false;
    bool isMAX_PHOTOS_LIMIT_EXCEEDED = false;
    bool isPHOTOS_PROCESSING_IN_PROGRESS = false;
};

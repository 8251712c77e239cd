#pragma once

#include "intake/IntakeCounters.h"

#include <QString>

// One closing alert of an add operation, as the editing screen shows it: its tag, its title (already
// upper-cased) and its text.
struct IntakeAlert {
    enum Tag {
        PhotosLimitExceeded = 107,
        FilesCannotBeAdded = 108,
        PhotosExist = 109,
        NoPhotosToAdd = 110,
    };

    int tag = 0;
    QString title;
    QString text;

    static IntakeAlert limitExceeded(int limit);
    static IntakeAlert filesCannotBeAdded(const IntakeCounters& counters);
    static IntakeAlert photosExist(const IntakeCounters& counters);
    static IntakeAlert noPhotosToAdd();

    // Duplicates first, then refused types, else nothing new (showPromtForDamagedFiles).
    static IntakeAlert showPromtForDamagedFiles(const IntakeCounters& counters);
};

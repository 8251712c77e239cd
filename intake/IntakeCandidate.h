#pragma once

#include "intake/IntakeCounters.h"

#include <QString>

// A photo the walk let join, waiting to be made into a batch item.
struct IntakeCandidate {
    QString path;
    QString displayName;
    // The operation's counters just before this photo was tested: should the import stop before this
    // photo is made, these are the counters the walk would have ended with.
    IntakeCounters countersBefore;
};

#pragma once

#include "batch/Coordinator.h"

struct Record {};

#pragma once

#include "model/Record.h"

class Runner {
  public:
    void start();
    void stop();
};

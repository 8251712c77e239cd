#pragma once

class Coordinator {
  public:
    static void halt();
};

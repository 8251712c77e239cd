#pragma once

#include <QImage>

// The grain laid over the default title bar: 124 × 124 grey bytes from the C library's generator seeded
// with 120, made once per process and shared.
class NoiseTexture {
  public:
    static const QImage& image();
    static constexpr int kSide = 124;
};

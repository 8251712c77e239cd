#include "controls/NoiseTexture.h"

#include <cstdlib>

const QImage& NoiseTexture::image() {
    // Built under the static initialisation guard, so two first callers cannot race.
    static const QImage texture = [] {
        QImage img(kSide, kSide, QImage::Format_Grayscale8);
        std::srand(120);
        for (int y = 0; y < kSide; ++y) {
            uchar* row = img.scanLine(y);
            for (int x = 0; x < kSide; ++x) row[x] = static_cast<uchar>(std::rand() & 0xff);
        }
        return img;
    }();
    return texture;
}

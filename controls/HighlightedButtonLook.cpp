#include "controls/HighlightedButtonLook.h"

namespace {

using Look = HighlightedButtonLook;
using Image = HighlightedButtonLook::Image;

QColor rgb(int r, int g, int b) {
    return QColor::fromRgbF(r / 255.0, g / 255.0, b / 255.0, 1.0);
}

Look imageOnly(Image image) {
    Look look;
    look.image = image;
    return look;
}

Look titled(Image image, qreal radius, const QColor& title, bool bold) {
    Look look;
    look.image = image;
    look.cornerRadius = radius;
    look.setsTitle = true;
    look.titleColor = title;
    look.boldTitle = bold;
    return look;
}

Look layered(std::optional<Image> image, const QColor& background, qreal radius, const QColor& title) {
    Look look = titled(Image::None, radius, title, false);
    look.image = image;
    look.layerBackground = background;
    return look;
}

}  // namespace

std::optional<HighlightedButtonLook> HighlightedButtonLook::forTag(int tag, Kind kind) {
    const QColor white = Qt::white;
    const QColor grey = rgb(30, 30, 30);
    switch (tag) {
        case 101:
        case 103:
            if (kind == Kind::Normal) return titled(Image::Normal, 1.0, white, false);
            return titled(Image::Selected, 1.0, white, true);
        case 102:
            return imageOnly(kind == Kind::Normal ? Image::Normal : Image::Selected);
        case 104: {
            if (kind == Kind::Disabled) return std::nullopt;
            const bool hover = kind == Kind::Hover;
            Look look =
                layered(hover ? Image::Selected : Image::Normal, hover ? rgb(20, 20, 20) : rgb(16, 16, 16), 1.0, white);
            look.borderColor = hover ? rgb(34, 37, 37) : rgb(24, 27, 27);
            look.borderWidth = 2.0;
            return look;
        }
        case 105:
            if (kind == Kind::Disabled) return std::nullopt;
            return titled(kind == Kind::Hover ? Image::Selected : Image::Normal, 1.0, grey, kind == Kind::Hover);
        case 106:
            if (kind == Kind::Disabled) return std::nullopt;
            return layered(Image::None, kind == Kind::Hover ? rgb(180, 180, 180) : rgb(205, 205, 205), 4.0, grey);
        default:
            return std::nullopt;
    }
}

bool HighlightedButtonLook::gatePasses(bool subWindowOpened, bool ownEnabled, int tag) {
    if (subWindowOpened) return tag == 104;
    return ownEnabled || tag == 104;
}

#pragma once

#include <QColor>

#include <optional>

// The looks of the highlighted button by its tag (101 to 106). An absent field leaves what the button
// shows as it is.
struct HighlightedButtonLook {
    enum class Kind { Normal, Hover, Disabled };
    enum class Image { Normal, Selected, None };

    std::optional<Image> image;
    std::optional<QColor> layerBackground;
    std::optional<qreal> cornerRadius;
    std::optional<QColor> borderColor;
    std::optional<qreal> borderWidth;
    bool setsTitle = false;  // when set, the title is centred in titleColor, bold or in the plain system font
    QColor titleColor;
    bool boldTitle = false;

    // No look for a tag outside 101-106 or a look the tag leaves unchanged.
    static std::optional<HighlightedButtonLook> forTag(int tag, Kind kind);
    // Whether the normal and hover looks may be applied: while a sub-window is open only tag 104 changes;
    // otherwise a button whose own enabled flag is off changes only with tag 104.
    static bool gatePasses(bool subWindowOpened, bool ownEnabled, int tag);
};

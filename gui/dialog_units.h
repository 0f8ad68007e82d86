// Fonts named by dialog templates, and dialog units turned into pixels.
//
// Templates were laid out for the small bitmap fonts of 96-dpi screens
// ("Small Fonts", "MS Sans Serif", 9 to 13 pixels high). Shown at those
// sizes today they are hard to read, so a template's pixel size p becomes
//     p * desktop / 10 pixels (at least kMinimumFontPixels),
// where desktop is the pixel size of the application's default font: a
// 10-pixel template font appears at the desktop's normal UI size, 9 and 11
// pixels just below and above it. Both old faces map to the default family.
#pragma once

#include <string_view>

#include <QFont>

#include "platform/geometry.h"

namespace quillon::gui {

inline constexpr int kReferenceTemplatePixels = 10;
inline constexpr int kMinimumFontPixels = 6;

// Pixel size of the application's default font.
int desktop_font_pixels();

// The font for a template's FONT line; pixels 0 (no FONT line) gives the
// application's default font.
QFont template_font(int templatePixels, std::string_view face);

// Dialog units of a window: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height.
class DialogUnitScale {
public:
    DialogUnitScale() = default;
    DialogUnitScale(int averageCharWidth, int charHeight);
    static DialogUnitScale of(const QFont& font);

    int x_pixels(int du) const;
    int y_pixels(int du) const;
    // Converts the edges, so adjacent rectangles stay adjacent.
    platform::Rect to_pixels(const platform::Rect& du) const;

private:
    int baseX_ = 4;
    int baseY_ = 8;
};

} // namespace quillon::gui

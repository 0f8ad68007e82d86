// Rectangles in dialog units or pixels.
#pragma once

namespace quillon::platform {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace quillon::platform

// Ranges of the numbers in resource files. Ids are 16-bit resource ids;
// positions and sizes are dialog units that fit a 16-bit coordinate.
#pragma once

namespace quillon::resources::detail {

inline constexpr int kMaxResourceId = 65535;
inline constexpr int kMaxDialogUnits = 32767;
inline constexpr int kMaxFontPixels = 200;
inline constexpr int kMaxTextLimit = 65535;

} // namespace quillon::resources::detail

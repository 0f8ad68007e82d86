// Texts on the device's line. The line carries 8-bit text: the device
// takes Windows-1252, so every text the program sends is converted from
// UTF-8 and refused when a character has no place there; texts read back are
// converted the other way.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The text as the device takes it, or nothing when a character does not
// exist in Windows-1252 (or the UTF-8 is broken).
std::optional<std::string> to_device_text(std::string_view utf8);
// The device's bytes as UTF-8.
std::string from_device_text(std::string_view deviceText);
// Characters, not bytes, of UTF-8 text (what a user counts).
std::size_t character_count(std::string_view utf8);

} // namespace quillon

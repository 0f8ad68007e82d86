// What a ROM (firmware) file says about itself: the model it is for, its
// firmware version and its boot code version, read at fixed offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

// A ROM file is sent whole: 1024 blocks of 512 bytes.
inline constexpr std::size_t kRomBlockSize = 512;
inline constexpr std::size_t kRomBlockCount = 1024;
inline constexpr std::size_t kRomSize = kRomBlockSize * kRomBlockCount;  // 524288

// Where the texts lie inside the image.
inline constexpr std::size_t kRomBootCodeOffset = 4106;     // 0x100A
inline constexpr std::size_t kRomBootCodeSize = 16;
inline constexpr std::size_t kRomIdentityOffset = 524224;   // 0x7FFC0
inline constexpr std::size_t kRomIdentitySize = 64;
inline constexpr std::size_t kRomVersionOffset = 524256;    // 0x7FFE0, byte 32 of the identity block
inline constexpr std::size_t kRomVersionSize = 32;

struct RomIdentity {
    std::string modelName;        // "VornISDN Q30-USB", "VornISDN Q30", "VornISDN Q20" or "????"
    std::string firmwareVersion;
    std::string bootCode;
};

// The model an identity block's text names by its order number.
std::string rom_model_name(std::string_view identityText);

// The identity of an image. Fields that lie beyond its end read as empty
// texts; bytes that are not printable ASCII show as '?'.
RomIdentity read_rom_identity(std::span<const std::uint8_t> image);

} // namespace quillon

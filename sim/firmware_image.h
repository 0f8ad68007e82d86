// The firmware image the device takes after AT!DOWNLOAD or in its boot loader.
//
// Layout of an image (524288 bytes, sent raw from offset 0):
//   offset   4106 (0x100A), 16 bytes: boot code version text, NUL-padded
//   offset 524224 (0x7FFC0), 64 bytes: identity block
//       bytes  0..31 of the block: the order number of the model the image is for
//                                  ("KLM-230S", "KLM-230S USB" or "KLM-220S"), NUL-padded
//       bytes 32..63 of the block (offset 524256, 0x7FFE0): the firmware version
//                                  text, NUL-padded
// Texts run to their first NUL. The device accepts an image whose order number
// equals its own exactly, so the USB and the plain Q30 each take only their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "models.h"

namespace q30sim {

constexpr std::size_t kFirmwareImageSize = 524288;
constexpr std::size_t kBootCodeOffset = 4106;
constexpr std::size_t kBootCodeFieldSize = 16;
constexpr std::size_t kIdentityOffset = 524224;
constexpr std::size_t kOrderNumberFieldSize = 32;
constexpr std::size_t kVersionOffset = 524256;
constexpr std::size_t kVersionFieldSize = 32;

// A complete image for `model` carrying `version` (and `bootCode`). Texts longer
// than their fields are cut.
std::vector<std::uint8_t> make_firmware_image(Model model, const std::string& version,
                                              const std::string& bootCode = "1.02");

struct ImageIdentity {
    std::string orderNumber;
    std::string version;
    std::string bootCode;
};

// The identity texts of an image; empty texts when the image is too short.
ImageIdentity read_image_identity(std::span<const std::uint8_t> image);

} // namespace q30sim

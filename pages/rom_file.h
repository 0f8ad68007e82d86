// ROM files on disk: which files the upgrade offers for the connected model,
// and reading one whole, refused unless it has exactly the size of an image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace quillon {

enum class RomFileProblem { None, CannotRead, WrongSize };

struct RomFileContents {
    RomFileProblem problem = RomFileProblem::None;
    std::uintmax_t size = 0;          // bytes on disk, when known
    std::string error;                // why it could not be read
    std::vector<std::uint8_t> bytes;  // the whole image, when there is no problem
};

// Reads the file; nothing is read from a file of the wrong size.
RomFileContents read_rom_file(const std::string& path);

// The open dialog for ROM files: its filters and default extension follow
// the connected model (30 with or without USB, 20); without a device, or for
// another model, the general one.
platform::FileDialogRequest rom_file_request(bool connected, int model, bool usb);

} // namespace quillon

// The command line of `quillon-cli raw`: which code to send and how to fill
// its record. Every value is checked before anything reaches the device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/rom_identity.h"
#include "q30com32/drvcmd.h"

namespace quillon::cli {

// The most --file takes: one whole firmware image, the largest block any
// caller hands to DRV_WRITE_RAW. More would only fill memory.
inline constexpr std::size_t kMaxWriteBytes = quillon::kRomSize;
// The largest reply buffer --buffer-size asks for.
inline constexpr int32_t kMaxReadBufferBytes = 1 << 20;

struct RawRequest {
    uint32_t code = 0;
    DrvCmd record{};             // zero-filled, as every caller sends it
    std::vector<char> readBuffer; // --buffer-size: where list and text replies go
    std::vector<char> writeData;  // --file: the bytes DRV_WRITE_RAW sends
    bool searchFirst = true;
};

// Reads the arguments that follow "raw" into `request`. Returns an empty
// string on success, otherwise what is wrong, ready to be shown.
std::string parse_raw_arguments(const std::vector<std::string>& args, RawRequest& request);

// Points the record at the request's own buffer; call it once the request
// stays where it is until the command has been sent.
void attach_buffers(RawRequest& request);

} // namespace quillon::cli

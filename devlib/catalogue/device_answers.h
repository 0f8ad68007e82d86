// What the library reads from the device's answers outside the command
// catalogue: the identity answers (ATI4, ATI3), the call check and the
// download steps. Pure, so they are unit tested and fuzzed directly.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace q30::answers {

// The ATI4 answer: the model by the digits of its order number.
struct OrderNumber {
    int model;               // kModelQ30, kModelQ20 or kModelUnknown
    std::optional<int> usb;  // known only for the larger model
};
OrderNumber read_order_number(std::string_view reply);

// The ATI3 answer: its first line, and the rest of the line holding "CODE"
// after the mark and one separator; each cut to its capacity.
struct Versions {
    std::string firmware;
    std::string bootCode;
};
Versions read_versions(std::string_view reply, std::size_t firmwareCapacity, std::size_t bootCodeCapacity);

// ATC?: 1 when no call is in progress (a "0" anywhere), 0 otherwise.
int read_call_check(std::string_view reply);

// The download verdict: 3 success, 2 failure, 1 neither.
int read_download_verdict(std::string_view reply);

// Whether the device speaks from its boot loader, waiting for an image.
bool boot_loader_waiting(std::string_view reply);

} // namespace q30::answers

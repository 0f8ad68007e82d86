// The data port parameters of code 47: the `port` field selects the
// parameter, and the protocol number (0..7, int32 at offset 84) decides the
// register name where a parameter lives in different registers per protocol.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace q30::catalogue::data_port {

enum Parameter : int32_t {
    kProtocol = 0,
    kParameter1 = 1,
    kParameter2 = 2,
    kParameter3 = 3,
    kParameter4 = 4,
    kInvertedSwitch = 5,   // the device's register holds the opposite of `on`
    kNumericParameter = 6, // its value travels in `index`
};

// Code 48's selector in `port`: 11 the numeric register %P3, 12 the text
// register %P4.
inline constexpr int32_t kP3Selector = 11;
inline constexpr int32_t kP4Selector = 12;

// The register name (e.g. "%A2") of a parameter for a protocol, or nullopt
// when the parameter does not exist with that protocol.
std::optional<std::string_view> register_name(int32_t parameter, int32_t protocol);

// The device's code of a protocol number ("95" for 0, ...), nullopt beyond 0..7.
std::optional<std::string_view> protocol_code(int32_t protocol);

// The protocol number of a device code; a code without a protocol is kept
// as read.
int32_t protocol_from_code(int32_t code);

} // namespace q30::catalogue::data_port

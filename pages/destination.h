// Call destinations as the forwarding, short dial, call filter, call log and
// monitor displays show them: an external number, or an internal port
// written as its code ("*21") on the device and shown by its port name.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shell/app_state.h"

namespace quillon {

enum Destination : int {
    DEST_INVALID = 0,
    DEST_EXTERNAL = 1,
    DEST_INCOMPLETE = 2,  // may become valid while typing goes on
    DEST_PORT_NAME = 3,   // + port index 0..4: exactly a port's alias name
    DEST_PORT_CODE = 8,   // + port index 0..4: "*11" .. "*32"
};

inline constexpr std::size_t kMaxDestinationChars = 15;

using PortNames = std::array<std::string, kAliasCount>;  // AppState::portAliases

// The first rule that matches: empty is external; longer than 15 is
// invalid; the beginning of a port's alias name is incomplete, the whole
// name that port; "*" with a port number is that port's code ("*", "*1" ..
// "*3" incomplete); digits are external; anything else is invalid. Always
// all five ports, whatever the model.
int ClassifyDestination(std::string_view text, const PortNames& aliases);

// The port index of a port name or code result, or -1.
int destination_port(int classification);

// What the field shows for a device form: a port code by the port's name.
std::string destination_display_text(const std::string& deviceForm, const PortNames& aliases);
// What goes to the device for a shown text: a port name as the port's code.
std::string destination_device_form(const std::string& displayText, const PortNames& aliases);

} // namespace quillon

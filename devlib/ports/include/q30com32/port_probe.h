// What stands behind each COM port: the first thing a user needs to know
// when no device is found.
#pragma once

#include <string>
#include <vector>

namespace q30 {

enum class PortState {
    Free,              // it opens: something could answer there
    NotPresent,        // no such device node
    PermissionDenied,  // see `group`: usually the user is not in it (dialout)
    Busy,              // another program holds it (a modem manager, a terminal)
    NotATerminal,      // the path is no serial port
    CannotOpen,        // any other reason
};

struct PortReport {
    int comNumber = 0;            // 1..8
    std::string path;             // the device node behind COMn
    bool fromEnvironment = false; // the path comes from Q30COM32_COMn
    PortState state = PortState::CannotOpen;
    std::string group;            // the node's group, when permission was denied
    bool inGroup = false;         // whether this process already has that group
};

// Tries COM1..COM8 one after the other; each port is opened and released at once.
std::vector<PortReport> probe_com_ports();

// The state in English words, e.g. "held by another program".
std::string port_state_text(const PortReport& report);

} // namespace q30

// What stands behind each COM port: the first thing a user needs to know
// when no device is found.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace q30 {

// A USB adapter's ids as sysfs gives them: four lower-case hex digits each.
struct UsbIds {
    std::string vendor;
    std::string product;
};

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
    std::optional<UsbIds> usb;    // set for a USB adapter's node (ttyUSB, ttyACM)
};

// Tries COM1..COM8 one after the other; each port is opened and released at once.
std::vector<PortReport> probe_com_ports();

// The ids of the USB device behind a ttyUSB/ttyACM node (links such as
// /dev/serial/by-id/... are followed), read from the sysfs tree at sysfsRoot.
// Nothing for any other node, or when an id file is missing or malformed.
std::optional<UsbIds> usb_ids_of(const std::string& devicePath, const std::string& sysfsRoot = "/sys");

// Where the rule below belongs; the number orders it before the modem
// manager's own rules.
inline constexpr const char* kUdevRuleFile = "/etc/udev/rules.d/70-quillon-adapter.rules";

// One udev rule line that tells ModemManager to leave adapters with these ids alone.
std::string udev_rule_for(const UsbIds& ids);

// The state in English words, e.g. "held by another program".
std::string port_state_text(const PortReport& report);

} // namespace q30

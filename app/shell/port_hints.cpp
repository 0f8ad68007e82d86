#include "shell/port_hints.h"

#include "shell/shell_ids.h"

namespace quillon {

namespace {

int state_text(q30::PortState state)
{
    switch (state) {
    case q30::PortState::Free: return ids::kPortFree;
    case q30::PortState::NotPresent: return ids::kPortNotPresent;
    case q30::PortState::PermissionDenied: return ids::kPortNoPermission;
    case q30::PortState::Busy: return ids::kPortBusy;
    case q30::PortState::NotATerminal: return ids::kPortNotSerial;
    default: return ids::kPortCannotOpen;
    }
}

} // namespace

std::string no_device_hints(const ShellContext& shell, const std::vector<q30::PortReport>& ports)
{
    std::string text = shell.text(ids::kLinuxCauses);
    for (const q30::PortReport& port : ports) {
        text += "\nCOM" + std::to_string(port.comNumber) + "  " + port.path + ": " + shell.text(state_text(port.state));
        if (port.state == q30::PortState::PermissionDenied && !port.group.empty())
            text += " (" + port.group + ")";
    }
    return text;
}

} // namespace quillon

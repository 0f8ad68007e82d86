// What the no-device dialog adds on Linux: the usual causes (the dialout
// group, a modem manager holding the port, Q30COM32_COMn) and what each COM
// port shows now, in the current language.
#pragma once

#include <string>
#include <vector>

#include "q30com32/port_probe.h"
#include "shell/shell_context.h"

namespace quillon {

std::string no_device_hints(const ShellContext& shell, const std::vector<q30::PortReport>& ports);

} // namespace quillon

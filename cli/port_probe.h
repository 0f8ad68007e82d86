// What stands behind each COM port: the first thing a user needs to know
// when no device is found.
#pragma once

#include <string>
#include <vector>

namespace quillon {

struct PortReport {
    int comNumber;       // 1..8
    std::string path;
    bool fromEnvironment;
    std::string state;   // "free", "not present", "permission denied (group dialout)", ...
};

std::vector<PortReport> probe_com_ports();

} // namespace quillon

#include "port_probe.h"

#include <cstdlib>

#include <grp.h>
#include <sys/stat.h>

#include "com_ports.h"
#include "serial_link.h"

namespace quillon {

namespace {

std::string owning_group(const std::string& path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0)
        return "";
    if (const group* g = getgrgid(st.st_gid))
        return g->gr_name;
    return std::to_string(st.st_gid);
}

std::string describe(const std::string& path)
{
    q30::Trace quiet;
    q30::SerialLink link(quiet);
    q30::OpenError why = q30::OpenError::None;
    if (link.open(path, 0, &why)) {
        link.close();
        return "free";
    }
    switch (why) {
    case q30::OpenError::NotFound: return "not present";
    case q30::OpenError::PermissionDenied: {
        std::string group = owning_group(path);
        return group.empty() ? "permission denied"
                             : "permission denied (the node belongs to group " + group + ")";
    }
    case q30::OpenError::Busy: return "held by another program";
    case q30::OpenError::NotATerminal: return "not a serial port";
    default: return "cannot be opened";
    }
}

} // namespace

std::vector<PortReport> probe_com_ports()
{
    std::vector<PortReport> reports;
    for (int i = 0; i < q30::kComPortCount; ++i) {
        std::string path = q30::com_path(i);
        bool fromEnv = std::getenv(q30::com_variable(i).c_str()) != nullptr;
        reports.push_back({i + 1, path, fromEnv, describe(path)});
    }
    return reports;
}

} // namespace quillon

#include "q30com32/port_probe.h"

#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "q30com32/com_ports.h"
#include "q30com32/port_open.h"

namespace q30 {

namespace {

PortState state_of(OpenError why)
{
    switch (why) {
    case OpenError::None: return PortState::Free;
    case OpenError::NotFound: return PortState::NotPresent;
    case OpenError::PermissionDenied: return PortState::PermissionDenied;
    case OpenError::Busy: return PortState::Busy;
    case OpenError::NotATerminal: return PortState::NotATerminal;
    case OpenError::Other: break;
    }
    return PortState::CannotOpen;
}

bool process_has_group(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

void note_group(PortReport& report)
{
    struct stat st{};
    if (stat(report.path.c_str(), &st) != 0)
        return;
    const group* g = getgrgid(st.st_gid);
    report.group = g ? g->gr_name : std::to_string(st.st_gid);
    report.inGroup = process_has_group(st.st_gid);
}

PortReport probe(int comIndex)
{
    PortReport report;
    report.comNumber = comIndex + 1;
    report.path = com_path(comIndex);
    report.fromEnvironment = com_path_from_environment(comIndex);
    OpenError why = OpenError::None;
    const int fd = open_serial_port(report.path, &why);
    close_serial_port(fd);
    report.state = fd >= 0 ? PortState::Free : state_of(why);
    if (report.state == PortState::PermissionDenied)
        note_group(report);
    return report;
}

} // namespace

std::vector<PortReport> probe_com_ports()
{
    std::vector<PortReport> reports;
    for (int i = 0; i < kComPortCount; ++i)
        reports.push_back(probe(i));
    return reports;
}

std::string port_state_text(const PortReport& report)
{
    switch (report.state) {
    case PortState::Free: return "free";
    case PortState::NotPresent: return "not present";
    case PortState::PermissionDenied:
        return report.group.empty() ? "permission denied"
                                    : "permission denied (the node belongs to group " + report.group + ")";
    case PortState::Busy: return "held by another program";
    case PortState::NotATerminal: return "not a serial port";
    case PortState::CannotOpen: break;
    }
    return "cannot be opened";
}

} // namespace q30

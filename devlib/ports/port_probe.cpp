#include "q30com32/port_probe.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
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

namespace fs = std::filesystem;

// The only node names a USB serial driver gives out.
constexpr const char* kUsbNodePrefixes[] = {"ttyUSB", "ttyACM"};

// ttyACM's "device" is the USB interface, ttyUSB's a child of it; the ids sit
// on the USB device one or two levels above. The walk stops at the first
// folder with ids, so it never takes a hub's.
constexpr int kLevelsUpToUsbDevice = 3;

// sysfs id files hold four hex digits and a newline; anything else is no id.
constexpr std::size_t kIdDigits = 4;

bool is_usb_node_name(const std::string& name)
{
    for (const char* prefix : kUsbNodePrefixes)
        if (name.rfind(prefix, 0) == 0 && name.size() > std::char_traits<char>::length(prefix))
            return true;
    return false;
}

std::optional<std::string> read_id(const fs::path& file)
{
    std::ifstream in(file);
    if (!in)
        return std::nullopt;
    char text[kIdDigits + 3] = {};
    in.read(text, sizeof text - 1);
    std::string id(text, static_cast<std::size_t>(in.gcount()));
    if (!id.empty() && id.back() == '\n')
        id.pop_back();
    if (id.size() != kIdDigits)
        return std::nullopt;
    for (char& c : id) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return id;
}

// The kernel's name for the node: links such as /dev/serial/by-id/... are followed.
std::string node_name(const std::string& devicePath)
{
    std::error_code ec;
    const fs::path real = fs::canonical(devicePath, ec);
    return (ec ? fs::path(devicePath) : real).filename().string();
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
    if (report.state != PortState::NotPresent)
        report.usb = usb_ids_of(report.path);
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

std::optional<UsbIds> usb_ids_of(const std::string& devicePath, const std::string& sysfsRoot)
{
    const std::string name = node_name(devicePath);
    if (!is_usb_node_name(name))
        return std::nullopt;
    std::error_code ec;
    fs::path dir = fs::canonical(fs::path(sysfsRoot) / "class" / "tty" / name / "device", ec);
    if (ec)
        return std::nullopt;
    for (int level = 0; level <= kLevelsUpToUsbDevice && dir.has_relative_path(); ++level) {
        if (fs::exists(dir / "idVendor", ec)) {
            // The first level with ids is the USB device: a bad id there is no
            // reason to take the ids of a hub further up.
            std::optional<std::string> vendor = read_id(dir / "idVendor");
            std::optional<std::string> product = read_id(dir / "idProduct");
            if (!vendor || !product)
                return std::nullopt;
            return UsbIds{*vendor, *product};
        }
        dir = dir.parent_path();
    }
    return std::nullopt;
}

std::string udev_rule_for(const UsbIds& ids)
{
    return "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"" + ids.vendor + "\", ATTRS{idProduct}==\"" + ids.product +
           "\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
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

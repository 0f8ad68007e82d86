#include <algorithm>
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "q30com32/com_ports.h"
#include "q30com32/port_probe.h"
#include "q30com32/q30com32.h"

namespace quillon::cli {

namespace {

constexpr const char* kFindUsage =
    "usage: quillon-cli find\n"
    "Searches COM1..COM8 for the device and shows its model and versions.\n";
constexpr const char* kPortsUsage =
    "usage: quillon-cli ports\n"
    "Shows the device path behind each COM port and whether it can be opened;\n"
    "for a USB adapter, a udev rule that keeps modem managers away from it.\n";

} // namespace

std::string model_name(int model, int usb)
{
    switch (model) {
    case q30::kModelQ30: return usb ? "Q30-USB" : "Q30";
    case q30::kModelQ20: return "Q20";
    default: return "unknown";
    }
}

bool asks_for_help(const std::vector<std::string>& args)
{
    return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

int find(const std::vector<std::string>& args)
{
    if (asks_for_help(args)) {
        std::printf("%s", kFindUsage);
        return 0;
    }
    if (!args.empty()) {
        std::fprintf(stderr, "quillon-cli find: takes no arguments\n%s", kFindUsage);
        return 2;
    }
    std::printf("Searching COM1..COM8 ...\n");
    std::fflush(stdout);
    if (D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) != 0) {
        std::fprintf(stderr,
                     "quillon-cli: no device answered on COM1..COM8.\n"
                     "Run 'quillon-cli ports' to see which device node each COM port maps to.\n");
        return 1;
    }
    DrvCmd info;
    std::memset(&info, 0, sizeof info);
    D_SendDrvCmd(q30::DRV_DEVICE_INFO, &info);
    const int usb = q30::record::usb_flag(info);
    std::printf("Device found on COM%d (%s)\n", info.port + 1, q30::com_path(info.port).c_str());
    std::printf("  model:      %s\n", model_name(info.index, usb).c_str());
    std::printf("  USB:        %s\n", usb ? "yes" : "no");
    std::printf("  firmware:   %s\n", std::string(q30::record::text(info)).c_str());
    std::printf("  boot code:  %s\n", std::string(q30::record::boot_version(info)).c_str());
    D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
    return 0;
}

namespace {

// One rule per distinct adapter (two nodes of one adapter share ids), all in
// one file: the first command creates it, the others append.
void print_udev_rules(const std::vector<q30::PortReport>& reports)
{
    std::vector<std::string> rules;
    for (const q30::PortReport& r : reports) {
        if (!r.usb)
            continue;
        const std::string rule = q30::udev_rule_for(*r.usb);
        if (std::find(rules.begin(), rules.end(), rule) != rules.end())
            continue;
        if (rules.empty())
            std::printf("\nA udev rule keeps modem managers (ModemManager) away from a USB adapter.\n");
        std::printf("USB adapter %s:%s on COM%d (%s)\n", r.usb->vendor.c_str(), r.usb->product.c_str(),
                    r.comNumber, r.path.c_str());
        rules.push_back(rule);
    }
    if (rules.empty())
        return;
    std::printf("Install the %s and apply %s to the adapter now:\n", rules.size() == 1 ? "rule" : "rules",
                rules.size() == 1 ? "it" : "them");
    for (std::size_t i = 0; i < rules.size(); ++i)
        std::printf("  echo '%s' | sudo tee %s%s >/dev/null\n", rules[i].c_str(), i == 0 ? "" : "-a ",
                    q30::kUdevRuleFile);
    std::printf("  sudo udevadm control --reload\n"
                "  sudo udevadm trigger\n");
}

} // namespace

int ports(const std::vector<std::string>& args)
{
    if (asks_for_help(args)) {
        std::printf("%s", kPortsUsage);
        return 0;
    }
    if (!args.empty()) {
        std::fprintf(stderr, "quillon-cli ports: takes no arguments\n%s", kPortsUsage);
        return 2;
    }
    const std::vector<q30::PortReport> reports = q30::probe_com_ports();
    for (const q30::PortReport& r : reports) {
        std::string origin = r.fromEnvironment ? "  (from " + q30::com_variable(r.comNumber - 1) + ")" : "";
        std::printf("COM%d  %-24s %s%s\n", r.comNumber, r.path.c_str(), q30::port_state_text(r).c_str(),
                    origin.c_str());
    }
    print_udev_rules(reports);
    return 0;
}

} // namespace quillon::cli

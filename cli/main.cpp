// quillon-cli: the headless companion of the program. Finds the device,
// shows what stands behind each COM port, and sends single commands.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "demo_device.h"

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli [--demo [q20|q30|q30-usb]] COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  find               search COM1..COM8 for the device and show its model and versions\n"
    "  ports              show the device path behind each COM port and whether it can be opened\n"
    "  raw NAME|CODE ...  send one command code (see 'quillon-cli raw --help')\n"
    "  show [--json]      the model, versions and every setting of every page\n"
    "  backup FILE        save every setting in a profile, as File > Save Profile As does\n"
    "  restore FILE [--dry-run]  load a profile into the device, as File > Load Profile does\n"
    "  diff FILE [--json] where the device differs from a profile, key by key\n"
    "  verify FILE        read the device back and name the values of a profile it does not hold\n"
    "  upgrade ROM [--yes]  install a firmware image, keeping the settings\n"
    "                     (these take --port COMn to use that port only, and --config-dir DIR)\n"
    "\n"
    "  --demo [MODEL]     run against an emulated device on a pseudo-terminal (COM1 points at it)\n"
    "\n"
    "COMn is the device node named by the environment variable Q30COM32_COMn (n = 1..8);\n"
    "unset, COM1/COM2 are /dev/ttyUSB0/1, COM3/COM4 /dev/ttyACM0/1, COM5..COM8 /dev/ttyS0..3.\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    q30sim::DemoDevice demo;
    std::size_t next = 0;
    if (next < args.size() && (args[next] == "--help" || args[next] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (next < args.size() && args[next] == "--demo") {
        ++next;
        q30sim::DeviceOptions options;
        options.seed = true;
        if (next < args.size()) {
            if (auto model = q30sim::parse_model(args[next])) {
                options.model = *model;
                ++next;
            }
        }
        std::string error;
        if (!demo.start(options, error)) {
            std::fprintf(stderr, "quillon-cli: cannot start the emulated device: %s\n", error.c_str());
            return 1;
        }
        quillon::cli::use_emulated_device_timing();
    }
    if (next >= args.size()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& command = args[next++];
    std::vector<std::string> rest(args.begin() + static_cast<long>(next), args.end());
    if (command == "find")
        return quillon::cli::find(rest);
    if (command == "ports")
        return quillon::cli::ports(rest);
    if (command == "raw")
        return quillon::cli::raw(rest);
    if (command == "show")
        return quillon::cli::show(rest);
    if (command == "backup")
        return quillon::cli::backup(rest);
    if (command == "restore")
        return quillon::cli::restore(rest);
    if (command == "diff")
        return quillon::cli::diff(rest);
    if (command == "verify")
        return quillon::cli::verify(rest);
    if (command == "upgrade")
        return quillon::cli::upgrade(rest);
    std::fprintf(stderr, "quillon-cli: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return 2;
}

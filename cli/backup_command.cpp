// quillon-cli backup FILE: the program's Save Profile As of every page.
#include <cstdio>

#include "commands.h"
#include "device_session.h"

namespace quillon::cli {

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli backup FILE [--port COMn] [--config-dir DIR]\n"
    "  writes every setting of the device into the profile FILE, as File > Save Profile As does\n";

} // namespace

int backup(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("backup", args, {}, 1, kUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    DeviceSession session("backup", *line, ConfigUse::PrivateCopy);
    if (std::optional<int> failed = session.open())
        return *failed;
    const std::string& file = line->operands.front();
    const bool saved = session.program().save_profile_as(file);
    session.tell_messages();
    if (!saved)
        return kExitBadUsage;
    if (session.unanswered() > 0) {
        std::fprintf(stderr, "quillon-cli backup: the device did not answer %d commands; %s holds what was read\n",
                     session.unanswered(), file.c_str());
        return kExitDeviceFailed;
    }
    std::printf("saved the settings of the device in %s\n", file.c_str());
    return kExitSuccess;
}

} // namespace quillon::cli

// quillon-cli diff FILE [--json] and verify FILE: the device read afresh
// (the program's own profile save into a private file) against a profile,
// key by key.
#include <cstdio>

#include "commands.h"
#include "device_session.h"
#include "json_text.h"
#include "profile_diff.h"

namespace quillon::cli {

namespace {

constexpr const char* kDiffUsage =
    "usage: quillon-cli diff FILE [--json] [--port COMn] [--config-dir DIR]\n"
    "  shows, key by key, where the device differs from the profile FILE\n";
constexpr const char* kVerifyUsage =
    "usage: quillon-cli verify FILE [--port COMn] [--config-dir DIR]\n"
    "  reads the device back and names every value of the profile FILE it does not hold\n";

std::string shown(const std::optional<std::string>& value) { return value ? json_string(*value) : "(missing)"; }

void print_text(const std::vector<KeyDifference>& differences)
{
    for (const KeyDifference& d : differences)
        std::printf("%s %s: device %s, profile %s\n", d.section.c_str(), d.key.c_str(), shown(d.device).c_str(),
                    shown(d.profile).c_str());
}

void print_json(const std::vector<KeyDifference>& differences)
{
    std::printf("{\"equal\": %s, \"differences\": [", differences.empty() ? "true" : "false");
    const char* separator = "";
    for (const KeyDifference& d : differences) {
        std::printf("%s\n  {\"section\": %s, \"key\": %s, \"device\": %s, \"profile\": %s}", separator,
                    json_string(d.section).c_str(), json_string(d.key).c_str(), json_value(d.device).c_str(),
                    json_value(d.profile).c_str());
        separator = ",";
    }
    std::printf("%s]}\n", differences.empty() ? "" : "\n");
}

// The differences of the device from the profile; nothing when the device
// could not be read (the exit code is in `exitCode`).
std::optional<std::vector<KeyDifference>> device_against(const char* command, const CommandLine& line,
                                                          const profile::IniDocument& file, int& exitCode)
{
    DeviceSession session(command, line, ConfigUse::PrivateCopy);
    if (std::optional<int> failed = session.open()) {
        exitCode = *failed;
        return std::nullopt;
    }
    const std::string devicePath = session.private_file("device.pro");
    const bool saved = session.program().save_profile_as(devicePath);
    session.tell_messages();
    if (!saved || session.unanswered() > 0) {
        std::fprintf(stderr, "quillon-cli %s: the device could not be read whole\n", command);
        exitCode = kExitDeviceFailed;
        return std::nullopt;
    }
    return compare_profiles(profile::IniDocument::open(devicePath), file);
}

} // namespace

int diff(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("diff", args, {"--json"}, 1, kDiffUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    const std::optional<profile::IniDocument> file = read_profile_operand("diff", line->operands.front());
    if (!file)
        return kExitBadUsage;
    int exitCode = kExitSuccess;
    const auto differences = device_against("diff", *line, *file, exitCode);
    if (!differences)
        return exitCode;
    if (line->has("--json"))
        print_json(*differences);
    else
        print_text(*differences);
    return differences->empty() ? kExitSuccess : kExitDeviceFailed;
}

int verify(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("verify", args, {}, 1, kVerifyUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    const std::string& path = line->operands.front();
    const std::optional<profile::IniDocument> file = read_profile_operand("verify", path);
    if (!file)
        return kExitBadUsage;
    int exitCode = kExitSuccess;
    const auto differences = device_against("verify", *line, *file, exitCode);
    if (!differences)
        return exitCode;
    const std::vector<KeyDifference> notHeld = values_not_held(*differences);
    if (notHeld.empty()) {
        std::printf("verified: the device holds every value of %s\n", path.c_str());
        return kExitSuccess;
    }
    std::printf("the device does not hold %zu values of %s:\n", notHeld.size(), path.c_str());
    print_text(notHeld);
    return kExitDeviceFailed;
}

} // namespace quillon::cli

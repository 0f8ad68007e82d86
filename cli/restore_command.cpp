// quillon-cli restore FILE [--dry-run]: the program's Load Profile of every
// page, then File > Quit so that the device stores what it took.
#include <cstdio>
#include <string>

#include "catalogue.h"
#include "commands.h"
#include "device_session.h"

namespace quillon::cli {

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli restore FILE [--dry-run] [--port COMn] [--config-dir DIR]\n"
    "  sends every setting of the profile FILE to the device, as File > Load Profile does\n"
    "  --dry-run  list the commands a restore would send, and send none\n";

// Printable ASCII as it is; anything else as \xNN.
std::string shown_text(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        }
    }
    return out;
}

// "DRV_MSN port 11 index 0 op 1 str "4711"": the fields a set carries.
std::string command_line_of(const HeldBack& held)
{
    const DrvCmd& r = held.record;
    std::string out = q30::catalogue::command_info(held.code).name;
    out += " port " + std::to_string(r.port) + " index " + std::to_string(r.index) + " op " + std::to_string(r.op);
    if (r.on)
        out += " on " + std::to_string(r.on);
    if (r.value)
        out += " value " + std::to_string(r.value);
    if (r.from || r.to)
        out += " from " + std::to_string(r.from) + " to " + std::to_string(r.to);
    const std::pair<const char*, std::string_view> texts[] = {
        {"str", q30::record::str(r)}, {"str2", q30::record::str2(r)}, {"str3", q30::record::str3(r)}};
    for (const auto& [name, text] : texts)
        if (!text.empty())
            out += std::string(" ") + name + " \"" + shown_text(text) + "\"";
    return out;
}

} // namespace

int restore(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("restore", args, {"--dry-run"}, 1, kUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    const std::string& file = line->operands.front();
    if (!read_profile_operand("restore", file))
        return kExitBadUsage;
    const bool dryRun = line->has("--dry-run");
    // A dry run leaves the user's language and sound settings alone too.
    DeviceSession session("restore", *line, dryRun ? ConfigUse::PrivateCopy : ConfigUse::Users);
    if (std::optional<int> failed = session.open())
        return *failed;
    HeadlessProgram& program = session.program();
    if (dryRun) {
        // The load compares with what the pages hold: they read first, for real.
        program.read_all_pages();
        program.hold_back_changes();
    }
    program.load_profile(file);
    if (!dryRun)
        program.quit();
    session.progress().finish();
    // The program's closing list of what did not reach the device, grouped by page.
    const std::vector<std::string> notSent = program.take_messages();
    for (const std::string& text : notSent)
        std::printf("%s", text.c_str());
    if (dryRun) {
        std::printf("%zu commands would go to the device; none was sent:\n", program.held_back().size());
        for (const HeldBack& held : program.held_back())
            std::printf("  %s\n", command_line_of(held).c_str());
    } else if (notSent.empty() && session.unanswered() == 0) {
        std::printf("restored %s: the device took every value\n", file.c_str());
    }
    return notSent.empty() && session.unanswered() == 0 ? kExitSuccess : kExitDeviceFailed;
}

} // namespace quillon::cli

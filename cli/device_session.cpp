#include "device_session.h"

#include <cstdio>
#include <cstdlib>

#include "commands.h"
#include "pages/profile_sequences.h"
#include "q30com32/com_ports.h"

namespace quillon::cli {

namespace {

constexpr std::string_view kComPrefix = "COM";
// A path under a file that is no folder never names a device node.
constexpr const char* kNoDevice = "/dev/null/no-device";

std::optional<int> com_index(std::string_view name)
{
    if (name.size() != kComPrefix.size() + 1 || name.substr(0, kComPrefix.size()) != kComPrefix)
        return std::nullopt;
    const int index = name.back() - '1';
    return index >= 0 && index < q30::kComPortCount ? std::optional<int>(index) : std::nullopt;
}

// The library searches COM1..COM8; the others then lead nowhere.
void pin_port(int keptIndex)
{
    for (int i = 0; i < q30::kComPortCount; ++i)
        if (i != keptIndex)
            setenv(q30::com_variable(i).c_str(), kNoDevice, 1);
}

int usage_problem(std::string_view command, const std::string& problem, std::string_view usage)
{
    std::fprintf(stderr, "quillon-cli %.*s: %s\n%.*s", static_cast<int>(command.size()), command.data(),
                 problem.c_str(), static_cast<int>(usage.size()), usage.data());
    return kExitBadUsage;
}

} // namespace

std::optional<CommandLine> parse_command_line(std::string_view command, const std::vector<std::string>& args,
                                              std::initializer_list<std::string_view> flags, std::size_t operands,
                                              std::string_view usage)
{
    CommandLine line;
    if (asks_for_help(args)) {
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        line.helpShown = true;
        return line;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--port" || a == "--config-dir") {
            if (i + 1 >= args.size()) {
                usage_problem(command, a + " needs a value", usage);
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (a == "--port" && !com_index(value)) {
                usage_problem(command, "--port takes COM1..COM8, not '" + value + "'", usage);
                return std::nullopt;
            }
            (a == "--port" ? line.port : line.configDir) = value;
        } else if (a.size() > 1 && a[0] == '-') {
            bool known = false;
            for (std::string_view f : flags)
                known = known || f == a;
            if (!known) {
                usage_problem(command, "unknown option " + a, usage);
                return std::nullopt;
            }
            line.flags.insert(a);
        } else {
            line.operands.push_back(a);
        }
    }
    if (line.operands.size() != operands) {
        usage_problem(command, operands == 1 ? "takes one file" : "takes no file", usage);
        return std::nullopt;
    }
    return line;
}

std::optional<int> ends_with_command_line(const std::optional<CommandLine>& line)
{
    if (!line)
        return kExitBadUsage;
    if (line->helpShown)
        return kExitSuccess;
    return std::nullopt;
}

std::optional<profile::IniDocument> read_profile_operand(std::string_view command, const std::string& path)
{
    profile::IniDocument document = profile::IniDocument::open(path);
    std::string problem;
    if (!document.exists())
        problem = "no such file";
    else if (!document.readable())
        problem = document.error();
    else if (!holds_a_profile_section(document))
        problem = "holds no profile section";
    if (problem.empty())
        return document;
    std::fprintf(stderr, "quillon-cli %.*s: %s: %s\n", static_cast<int>(command.size()), command.data(),
                 path.c_str(), problem.c_str());
    return std::nullopt;
}

DeviceSession::DeviceSession(std::string command, const CommandLine& line, ConfigUse use)
    : command_(std::move(command)), line_(line), use_(use), progress_("quillon-cli " + command_)
{
}

std::optional<int> DeviceSession::open()
{
    if (!line_.port.empty())
        pin_port(*com_index(line_.port));
    scratch_ = std::make_unique<ScratchConfigFolder>(line_.configDir, "cli");
    if (scratch_->path().empty()) {
        std::fprintf(stderr, "quillon-cli %s: %s\n", command_.c_str(), scratch_->error().c_str());
        return kExitBadUsage;
    }
    program_.set_observer([this](uint32_t, const DrvCmd*, int32_t result) {
        progress_.step();
        if (result == q30::kResultNoReply)
            ++unanswered_;
    });
    std::string error;
    const std::string configDir = use_ == ConfigUse::PrivateCopy ? scratch_->path() : line_.configDir;
    if (!program_.start(configDir, error)) {
        progress_.finish();
        std::fprintf(stderr, "quillon-cli %s: %s\n", command_.c_str(), error.c_str());
        return kExitBadUsage;
    }
    if (!program_.connected()) {
        progress_.finish();
        std::fprintf(stderr, "quillon-cli %s: no device answered on %s (try 'quillon-cli ports')\n",
                     command_.c_str(), line_.port.empty() ? "COM1..COM8" : line_.port.c_str());
        return kExitDeviceFailed;
    }
    program_.take_messages();  // what start-up said is no news to a script
    unanswered_ = 0;
    return std::nullopt;
}

std::string DeviceSession::private_file(const std::string& name) { return scratch_->path() + name; }

std::vector<std::string> DeviceSession::tell_messages()
{
    progress_.finish();
    std::vector<std::string> texts = program_.take_messages();
    for (const std::string& text : texts)
        std::fprintf(stderr, "%s\n", text.c_str());
    return texts;
}

} // namespace quillon::cli

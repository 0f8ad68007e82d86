// What the device commands share: their command line (their own flags, an
// operand, --port COMn to pin the device's port, --config-dir DIR), the
// program started on the device with a counter on the terminal.
#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "exit_codes.h"
#include "headless_program.h"
#include "profile/ini_document.h"
#include "progress.h"
#include "shell/scratch_config.h"

namespace quillon::cli {

struct CommandLine {
    std::vector<std::string> operands;
    std::set<std::string, std::less<>> flags;
    std::string port;       // "COM1".."COM8"; empty: search them all
    std::string configDir;  // empty: the user's configuration folder
    bool helpShown = false; // --help: the usage was printed, nothing else read

    bool has(std::string_view flag) const { return flags.count(flag) != 0; }
};

// Reads `args` of `command`, which takes the `flags` and exactly `operands`
// operands. Nothing, after telling what is wrong and the usage, on bad usage;
// after printing the usage for --help, a line with `helpShown` set.
std::optional<CommandLine> parse_command_line(std::string_view command, const std::vector<std::string>& args,
                                              std::initializer_list<std::string_view> flags, std::size_t operands,
                                              std::string_view usage);

// The exit status when the command ends with reading its line: bad usage, or
// the usage shown for --help. Nothing when the command is to run.
std::optional<int> ends_with_command_line(const std::optional<CommandLine>& line);

// The profile a command reads. Nothing, after saying why, for a file that
// cannot be read or holds no profile section.
std::optional<profile::IniDocument> read_profile_operand(std::string_view command, const std::string& path);

// Which configuration folder the program runs on: a private copy for the
// commands that only look, the user's own for those that change the device
// (a load writes the language and sound to the default profile, as the
// program does).
enum class ConfigUse { PrivateCopy, Users };

class DeviceSession {
public:
    DeviceSession(std::string command, const CommandLine& line, ConfigUse use);

    // Starts the program on the device. Nothing when it runs; else the exit
    // code, after saying why on standard error.
    std::optional<int> open();

    HeadlessProgram& program() { return program_; }
    Progress& progress() { return progress_; }
    // A file in the session's private folder, removed with the session.
    std::string private_file(const std::string& name);
    // Prints the message boxes shown since the last call on standard error;
    // returns their texts.
    std::vector<std::string> tell_messages();
    // Commands since open() that the device did not answer.
    int unanswered() const { return unanswered_; }

private:
    std::string command_;
    CommandLine line_;
    ConfigUse use_;
    std::unique_ptr<ScratchConfigFolder> scratch_;
    Progress progress_;
    int unanswered_ = 0;
    HeadlessProgram program_;
};

} // namespace quillon::cli

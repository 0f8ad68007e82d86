#include "device_options.h"

#include <charconv>

namespace q30sim {

namespace {

constexpr std::size_t kMaxVersionLength = 16;
constexpr int kMaxPaceBaud = 4'000'000;
constexpr int kMaxSilentAfter = 1'000'000'000;

constexpr std::string_view kHelp =
    "  --model q20|q30|q30-usb   device model (default q30)\n"
    "  --firmware V              firmware version (default 1.3.4)\n"
    "  --boot-code V             boot code version (default 1.02)\n"
    "  --silent                  answer nothing (a dead device)\n"
    "  --boot-mode               start in the boot loader, waiting for a firmware image\n"
    "  --clock-unset             the clock reads as not set until it is set\n"
    "  --seed                    fill in demo MSNs, numbers, call lists and charges\n"
    "  --no-forwarding-service   the line has no call forwarding: every forwarding set answers 2\n"
    "  --call                    a call is in progress (ATC? answers 1)\n"
    "  --reject PREFIX           answer ERROR to commands starting with PREFIX (repeatable)\n"
    "  --silent-after N          go dead after N commands\n"
    "  --state FILE              keep the settings stored with AT&W in FILE across runs\n"
    "  --pace BAUD               send replies no faster than BAUD bit/s (10 bits per byte)\n"
    "  --fail-download           every firmware image fails and leaves the device in its boot loader\n"
    "  --no-verdict              say nothing after a firmware image and go dead (a hung device)\n"
    "  --upgrade-resets          a new firmware starts with factory settings\n"
    "  --silent-from PREFIX      go dead at the first command starting with PREFIX (a pulled cable)\n";

bool parse_int(std::string_view text, int low, int high, int& out)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool is_version_text(std::string_view text)
{
    if (text.empty() || text.size() > kMaxVersionLength)
        return false;
    for (char c : text)
        if (c <= ' ' || c > '~')
            return false;
    return true;
}

struct Flag {
    std::string_view name;
    bool DeviceOptions::*field;
};

constexpr Flag kFlags[] = {
    {"--silent", &DeviceOptions::silent},
    {"--boot-mode", &DeviceOptions::bootMode},
    {"--clock-unset", &DeviceOptions::clockUnset},
    {"--seed", &DeviceOptions::seed},
    {"--no-forwarding-service", &DeviceOptions::noForwardingService},
    {"--call", &DeviceOptions::callInProgress},
    {"--fail-download", &DeviceOptions::failDownload},
    {"--no-verdict", &DeviceOptions::noVerdict},
    {"--upgrade-resets", &DeviceOptions::upgradeResets},
};

// Applies one option that takes a value. False with `error` set when the value is bad
// or the option unknown.
bool apply_valued(std::string_view name, std::string_view value, DeviceOptions& o, std::string& error)
{
    auto bad = [&](std::string_view what) {
        error = "bad value for " + std::string(name) + ": '" + std::string(value) + "' (" + std::string(what) + ")";
        return false;
    };
    if (name == "--model") {
        auto model = parse_model(value);
        if (!model)
            return bad("expected q20, q30 or q30-usb");
        o.model = *model;
    } else if (name == "--firmware" || name == "--boot-code") {
        if (!is_version_text(value))
            return bad("expected 1 to 16 printable characters without blanks");
        (name == "--firmware" ? o.firmware : o.bootCode) = std::string(value);
    } else if (name == "--reject") {
        if (value.empty())
            return bad("expected a command prefix");
        o.rejectPrefixes.emplace_back(value);
    } else if (name == "--silent-after") {
        if (!parse_int(value, 0, kMaxSilentAfter, o.silentAfter))
            return bad("expected a number of commands");
    } else if (name == "--silent-from") {
        if (value.empty())
            return bad("expected a command prefix");
        o.silentFrom = std::string(value);
    } else if (name == "--state") {
        if (value.empty())
            return bad("expected a file name");
        o.stateFile = std::string(value);
    } else if (name == "--pace") {
        if (!parse_int(value, 1, kMaxPaceBaud, o.paceBaud))
            return bad("expected a bit rate from 1 to 4000000");
    } else {
        error = "unknown option: " + std::string(name);
        return false;
    }
    return true;
}

bool takes_value(std::string_view name)
{
    for (std::string_view n : {"--model", "--firmware", "--boot-code", "--reject", "--silent-after", "--state", "--pace",
                                "--silent-from"})
        if (n == name)
            return true;
    return false;
}

} // namespace

bool parse_device_options(std::span<const std::string> args, DeviceOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        bool matched = false;
        for (const Flag& flag : kFlags) {
            if (arg == flag.name) {
                options.*flag.field = true;
                matched = true;
            }
        }
        if (matched)
            continue;
        std::string_view name = arg;
        std::string_view value;
        bool hasValue = false;
        if (auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            hasValue = true;
        }
        if (!takes_value(name)) {
            error = "unknown option: " + std::string(arg);
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = "option " + std::string(name) + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!apply_valued(name, value, options, error))
            return false;
    }
    return true;
}

bool parse_device_options(int argc, char** argv, DeviceOptions& options, std::string& error)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return parse_device_options(args, options, error);
}

std::string_view device_options_help()
{
    return kHelp;
}

} // namespace q30sim

// Fuzzes the emulator's reading of command lines: the parser's shape rules,
// then the same bytes typed into an emulated device, which must answer
// without a sanitizer finding and keep its output within bounds.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "at_command.h"
#include "device.h"

namespace {

constexpr int kMaxSelector = 9999;

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

bool is_upper_letter(char c)
{
    return c >= 'A' && c <= 'Z';
}

void check_shape(const q30sim::AtCommand& cmd, std::string_view body)
{
    using q30sim::Form;
    const std::string& prefix = cmd.prefix;
    // Empty, one letter, or a symbol and at least one letter; letters always upper case.
    check(prefix.size() != 1 || is_upper_letter(prefix[0]));
    check(prefix.size() < 2 || std::all_of(prefix.begin() + 1, prefix.end(), is_upper_letter));
    check(cmd.number.size() <= 4);
    check(std::all_of(cmd.number.begin(), cmd.number.end(), [](char c) { return c >= '0' && c <= '9'; }));
    check(!cmd.port || (*cmd.port >= 0 && *cmd.port <= kMaxSelector));
    check(!cmd.index || (*cmd.index >= 0 && *cmd.index <= kMaxSelector));
    check(cmd.form == Form::Set || cmd.value.empty());
    check(cmd.form != Form::Query || (!body.empty() && body.back() == '?'));
    check(cmd.form != Form::Set || body.ends_with(cmd.value));
}

// Letter case never changes what a command is, only the case of its value.
void check_case_blind(const q30sim::AtCommand& cmd, std::string_view body)
{
    std::string lower(body);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    const auto again = q30sim::parse_command(lower);
    check(again.has_value());
    check(again->prefix == cmd.prefix && again->number == cmd.number && again->port == cmd.port
          && again->index == cmd.index && again->form == cmd.form);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view body(reinterpret_cast<const char*>(data), size);

    if (const auto cmd = q30sim::parse_command(body)) {
        check_shape(*cmd, body);
        check_case_blind(*cmd, body);
    }

    // The same text as a line typed at the device, then a later look at its timers.
    q30sim::Device device(q30sim::DeviceOptions{});
    device.set_port_open(true);
    const auto start = std::chrono::steady_clock::time_point{};
    device.receive("AT", start);
    device.receive(body, start);
    device.receive("\r", start);
    device.tick(start + std::chrono::seconds(5));
    check(device.take_output().size() <= q30sim::Device::kMaxPendingOutput);
    return 0;
}

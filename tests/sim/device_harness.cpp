#include "device_harness.h"

namespace q30sim::testing {

namespace {

constexpr std::string_view kOk = "\r\nOK\r\n";
constexpr std::string_view kCrLf = "\r\n";

} // namespace

DeviceHarness::DeviceHarness(DeviceOptions options, bool quiet)
    : device(std::move(options)), now(std::chrono::steady_clock::time_point{} + std::chrono::hours(1))
{
    device.tick(now);
    if (quiet)
        send("ATE0");
}

std::string DeviceHarness::feed(std::string_view bytes)
{
    device.receive(bytes, now);
    return device.take_output();
}

std::string DeviceHarness::send(std::string_view line)
{
    return feed(std::string(line) + "\r");
}

std::optional<std::vector<std::string>> verbose_answer(const std::string& reply)
{
    std::string_view text = reply;
    if (!text.ends_with(kOk))
        return std::nullopt;
    text.remove_suffix(kOk.size());
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    if (!text.starts_with(kCrLf) || !text.ends_with(kCrLf) || text.size() < 2 * kCrLf.size())
        return std::nullopt;
    text = text.substr(kCrLf.size(), text.size() - 2 * kCrLf.size());
    for (;;) {
        auto end = text.find(kCrLf);
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + kCrLf.size());
    }
    return lines;
}

std::optional<std::vector<std::string>> DeviceHarness::answer(std::string_view line)
{
    return verbose_answer(send(line));
}

std::string DeviceHarness::value(std::string_view line)
{
    auto lines = answer(line);
    if (!lines)
        return "<no OK>";
    return lines->empty() ? "<no lines>" : lines->front();
}

bool DeviceHarness::accepted(std::string_view line)
{
    return send(line) == kOk;
}

bool DeviceHarness::refused(std::string_view line)
{
    return send(line) == "\r\nERROR\r\n";
}

std::string DeviceHarness::advance(std::chrono::milliseconds by)
{
    now += by;
    device.tick(now);
    return device.take_output();
}

} // namespace q30sim::testing

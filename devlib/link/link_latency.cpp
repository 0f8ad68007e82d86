#include "link_latency.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "trace.h"

namespace q30 {

namespace {

// Every open reads the variable again; a bad value is said once, not at each
// of the eight ports a search opens.
void say_once(const std::string& problem)
{
    static std::mutex mutex;
    static std::string lastSaid;
    std::lock_guard lock(mutex);
    if (problem == lastSaid)
        return;
    lastSaid = problem;
    std::fprintf(stderr, "Q30COM32: %s\n", problem.c_str());
}

} // namespace

std::optional<int> parse_link_latency(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    int ms = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        ms = ms * 10 + (c - '0');
        if (ms > kMaxLinkLatencyMs)
            return std::nullopt;  // checked at each digit, so no overflow
    }
    return ms;
}

LinkLatency link_latency_from_environment()
{
    const char* set = std::getenv(kLinkLatencyVariable);
    if (!set || !*set)
        return {};
    if (auto ms = parse_link_latency(set))
        return {*ms, ""};
    LinkLatency ignored;
    constexpr std::size_t kShown = 40;  // enough to recognise the value
    const std::string_view value(set);
    ignored.problem = std::string(kLinkLatencyVariable) + "=\"" + escape_control(value.substr(0, kShown)) +
                      (value.size() > kShown ? "..." : "") +
                      "\" ignored: give whole milliseconds from 0 to " + std::to_string(kMaxLinkLatencyMs);
    say_once(ignored.problem);
    return ignored;
}

} // namespace q30

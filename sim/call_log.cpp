#include "call_log.h"

#include <cstdio>

namespace q30sim {

namespace {

constexpr std::string_view kNoCallerId = "NO ID";
constexpr std::string_view kOutgoingHeading = "Date     Time  Number          Duration Charge Amount ";
constexpr std::string_view kOtherHeading = "Date     Time  Number          Duration Disc Cause";
constexpr std::array<std::string_view, kCallListCount> kTitles = {"outgoing calls", "incoming calls",
                                                                  "calls not answered"};

std::string port_title(int port)
{
    if (port == kDataPort)
        return "Data port";
    std::string title = "Port ";
    title += std::to_string(port);
    return title;
}

} // namespace

CallLog::CallLog(Model model)
{
    for (int port : analogue_ports(model))
        lists_[port];
    lists_[kDataPort];
}

bool CallLog::has_port(int port) const
{
    return lists_.contains(port);
}

void CallLog::add(int port, CallList list, CallEntry entry)
{
    auto it = lists_.find(port);
    if (it == lists_.end())
        return;
    auto& entries = it->second[static_cast<std::size_t>(list)];
    entries.push_front(std::move(entry));
    if (entries.size() > kMaxEntries)
        entries.pop_back();
}

void CallLog::clear(int port, int list)
{
    auto it = lists_.find(port);
    if (it == lists_.end())
        return;
    for (int l = 0; l < kCallListCount; ++l)
        if (list == kAllCallLists || list == l)
            it->second[static_cast<std::size_t>(l)].clear();
}

const std::deque<CallEntry>& CallLog::entries(int port, CallList list) const
{
    static const std::deque<CallEntry> kNone;
    auto it = lists_.find(port);
    return it == lists_.end() ? kNone : it->second[static_cast<std::size_t>(list)];
}

std::string CallLog::row(const CallEntry& entry, CallList list, std::string_view unit)
{
    std::string text = format_list_date(entry.when) + " ";
    text += entry.number.empty() ? std::string(kNoCallerId) : entry.number;
    text += ' ';
    text += format_duration(entry.durationSeconds);
    text += ' ';
    if (list == CallList::Outgoing) {
        text += format_amount(entry.amount, unit);
    } else {
        char cause[16];
        std::snprintf(cause, sizeof cause, "%02d", entry.cause);
        text += cause;
    }
    return text;
}

std::vector<std::string> CallLog::lines(int port, CallList list, std::string_view unit) const
{
    std::vector<std::string> out;
    out.push_back(port_title(port) + " " + std::string(kTitles[static_cast<std::size_t>(list)]));
    out.emplace_back(list == CallList::Outgoing ? kOutgoingHeading : kOtherHeading);
    for (const CallEntry& entry : entries(port, list))
        out.push_back(row(entry, list, unit));
    out.emplace_back();
    return out;
}

} // namespace q30sim

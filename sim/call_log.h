// The call lists the device keeps per port: outgoing, incoming and not
// answered calls, ten entries each, newest first.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "amounts.h"
#include "device_clock.h"
#include "models.h"

namespace q30sim {

enum class CallList { Outgoing = 0, Incoming = 1, Missed = 2 };
constexpr int kCallListCount = 3;
constexpr int kAllCallLists = 3; // the list number that stands for all three when clearing

struct CallEntry {
    CivilSeconds when = 0;
    std::string number;    // empty: the caller sent no number
    int durationSeconds = 0;
    MilliAmount amount = 0; // outgoing calls
    int cause = 0;          // incoming and not answered calls: disconnection cause
};

class CallLog {
public:
    static constexpr std::size_t kMaxEntries = 10;

    explicit CallLog(Model model);

    bool has_port(int port) const;
    void add(int port, CallList list, CallEntry entry);
    void clear(int port, int list); // list 3: all three
    const std::deque<CallEntry>& entries(int port, CallList list) const;

    // The list as the device prints it: a title line, the column heading, one row
    // per entry and an empty line. The heading ends in "Charge Amount " (outgoing) or
    // "Disc Cause" (the other two), which is where the rows are found.
    std::vector<std::string> lines(int port, CallList list, std::string_view unit) const;

    // One row: "dd/mm/yy hh:mm number hh:mm:ss" and the amount with its unit or the
    // cause; a caller without a number reads "NO ID".
    static std::string row(const CallEntry& entry, CallList list, std::string_view unit);

private:
    std::map<int, std::array<std::deque<CallEntry>, kCallListCount>> lists_;
};

} // namespace q30sim

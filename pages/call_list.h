// The device's call lists as rows: the text the library hands over for one
// list (outgoing, incoming, not answered) becomes up to ten entries of six
// columns, and the few display forms the call log page and the status
// monitor share (date and time, number or port name, charge).
//
// Offers: parse_call_list (pure), read_call_list (one list through the page
// gate), call_date_time_text, call_number_text, call_charge_text,
// is_unknown_caller.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/destination.h"
#include "shell/device_gate.h"

namespace quillon {

// List numbers of the device; kAllCallLists only clears.
inline constexpr int kOutgoingCalls = 0;
inline constexpr int kIncomingCalls = 1;
inline constexpr int kUnansweredCalls = 2;
inline constexpr int kCallListCount = 3;
inline constexpr int kAllCallLists = 3;

inline constexpr std::size_t kMaxCallEntries = 10;
inline constexpr std::size_t kCallListBufferBytes = 960;
// A column longer than this is cut: the longest text a command record carries.
inline constexpr std::size_t kMaxCallColumnChars = 31;

// The shown number of a caller who sent none.
inline constexpr std::string_view kNoCallerId = "No ID";

// One row; the six columns as the device prints them.
struct CallEntry {
    std::string date;      // "24/12/01"
    std::string time;      // "18:40", or "--:--" before the clock was set
    std::string number;    // the device form ("*21" for a port), or kNoCallerId
    std::string duration;  // "00:12:05"
    std::string charge;    // outgoing calls only: "1,56"
    std::string unit;      // outgoing calls only: "DM"

    bool operator==(const CallEntry&) const = default;
};

struct CallListText {
    std::vector<CallEntry> entries;  // at most kMaxCallEntries
    // An incoming list that carries the outgoing heading: the device mixed
    // up its tables; the page signals it with a beep.
    bool foreignHeading = false;
};

// The rows of one list (`list` 0..2) from the text after the table's last
// heading. Stops at the first empty line, the end of the text or the tenth row.
CallListText parse_call_list(std::string_view text, int list);

// Reads one list of `port` (a port number, 0 for the data port). Nothing when
// the device did not answer; an empty list when it has no rows.
std::optional<CallListText> read_call_list(const DeviceGate& gate, int port, int list);

// "24/12/01 18:40"; a time of dashes stands four blanks off.
std::string call_date_time_text(const CallEntry& entry);
// The number, or the port's name for an internal port code.
std::string call_number_text(const CallEntry& entry, const PortNames& aliases);
// The unit and the amount: "DM 1,56"; empty for lists without charges.
std::string call_charge_text(const CallEntry& entry);
bool is_unknown_caller(const CallEntry& entry);

} // namespace quillon

// The least cost routing table as the page holds it, the checks of what is
// typed into it, and the corrections it gets before it goes to the device.
// No device and no windows here: every routine works on plain values.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::lcr {

inline constexpr int kGroupCount = 2;   // Monday to Friday, Saturday and Sunday
inline constexpr int kRowCount = 6;     // time periods per group
inline constexpr int kRangeCount = 8;   // excluded number ranges per group
inline constexpr int kHoursPerDay = 24;
inline constexpr int kLastFromHour = 23;
inline constexpr int kFirstTillHour = 1;
inline constexpr int kLastTillHour = 24;
inline constexpr std::size_t kMaxHourDigits = 2;
inline constexpr std::size_t kMaxPredialDigits = 6;
inline constexpr std::size_t kMaxRangeDigits = 5;
inline constexpr std::size_t kMaxProviderChars = 30;  // what the default profile keeps of a name

// The name of a predial that is in no entry of the provider list.
inline constexpr const char* kUnknownProvider = "Provider";

// One time period: from and till are hour texts as typed ("8", "08").
struct Row {
    std::string from, till, predial, provider;
    bool local = false;
    bool active = false;
    bool operator==(const Row&) const = default;
};

// One excluded number range.
struct Range {
    std::string first, last;
    bool active = false;
    bool used() const { return !first.empty() || !last.empty(); }
    bool operator==(const Range&) const = default;
};

struct Group {
    std::array<Row, kRowCount> rows;
    std::array<Range, kRangeCount> ranges;
    bool operator==(const Group&) const = default;
};

// Declare one as `Table t;`: clang 14 crashes on the list form `Table t{};`.
using Table = std::array<Group, kGroupCount>;

// The checks while typing; an empty text always passes (it clears the value).
enum class HourField { From, Till };
bool hour_text_ok(std::string_view text, HourField field);
bool predial_text_ok(std::string_view text);
bool range_number_text_ok(std::string_view text);

// The number of an hour text: its leading digits, 0 when there are none.
// Large numbers stop growing past the hours of a day.
int hour_value(std::string_view text);

// The provider's name for a predial from the fixed provider list, or
// kUnknownProvider.
std::string provider_name(std::string_view predial);

// At most `maxChars` characters of UTF-8 text, never splitting one.
std::string first_characters(std::string_view utf8, std::size_t maxChars);

// What the corrections before a send found, and whether the table may go.
struct Verdict {
    bool send = true;
    bool incompleteRow = false;   // a row was cleared because part of it was empty
    bool overlap = false;         // periods overlap or end before they start: times put back
    bool lengthMismatch = false;  // a range's two numbers differ in length
};

// Corrects the edited table in place: incomplete rows are cleared, the
// times of overlapping periods are put back to `confirmed`, rows are
// ordered by start hour and the used ranges moved in front of the unused.
Verdict normalise(Table& edited, const Table& confirmed);

} // namespace quillon::lcr

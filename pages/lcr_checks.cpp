#include "pages/lcr_checks.h"

#include <algorithm>
#include <utility>

namespace quillon::lcr {

namespace {

// Each entry: the predial, a comma and the provider's name; searched in this order.
constexpr std::array<std::string_view, 15> kProviders = {
    "01011,o.tel.o",   "01013,Tele2",     "01018,Debitel",     "01019,MobilCom", "01023,Tesion",
    "01024,TelePassport", "01030,TelDaFax", "01033,Telekom",   "01046,KomTel",   "01049,ACC",
    "01050,Talkline",  "01066,Interroute", "01070,Arcor",      "01085,WESTcom",  "01090,VIAG Interkom",
};

// An empty start hour sorts after every real one.
constexpr int kEmptyStart = 26;

bool all_digits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int start_hour(const Row& row) { return row.from.empty() ? kEmptyStart : hour_value(row.from); }

bool complete(const Row& row)
{
    return !row.from.empty() && !row.till.empty() && !row.predial.empty() && !row.provider.empty();
}
bool blank(const Row& row)
{
    return row.from.empty() && row.till.empty() && row.predial.empty() && row.provider.empty();
}

// A row with some of its four texts empty is cleared, left active.
bool clear_incomplete_rows(Table& table)
{
    bool found = false;
    for (Group& group : table)
        for (Row& row : group.rows)
            if (!complete(row) && !blank(row)) {
                row = Row{};
                row.active = true;
                found = true;
            }
    return found;
}

// A period must end after it starts, inside the day, on hours no earlier
// period of its group holds.
bool has_overlap(const Group& group)
{
    std::array<bool, kHoursPerDay> taken{};
    bool overlap = false;
    for (const Row& row : group.rows) {
        if (row.from.empty() || row.till.empty())
            continue;
        const int start = hour_value(row.from);
        const int end = hour_value(row.till);
        if (end <= start || start > kLastFromHour || end > kLastTillHour) {
            overlap = true;
            continue;
        }
        bool free = true;
        for (int h = start; h < end; ++h)
            free = free && !taken[static_cast<std::size_t>(h)];
        if (!free) {
            overlap = true;
            continue;
        }
        for (int h = start; h < end; ++h)
            taken[static_cast<std::size_t>(h)] = true;
    }
    return overlap;
}

// The times go back to what the device has; a row left without a start
// loses its predial and name too.
void restore_times(Table& edited, const Table& confirmed)
{
    for (std::size_t g = 0; g < edited.size(); ++g)
        for (std::size_t r = 0; r < edited[g].rows.size(); ++r) {
            Row& row = edited[g].rows[r];
            row.from = confirmed[g].rows[r].from;
            row.till = confirmed[g].rows[r].till;
            if (row.from.empty()) {
                row.predial.clear();
                row.provider.clear();
            }
        }
}

void order_rows(Group& group)
{
    for (std::size_t i = 0; i + 1 < group.rows.size(); ++i)
        for (std::size_t j = i + 1; j < group.rows.size(); ++j)
            if (start_hour(group.rows[i]) > start_hour(group.rows[j]))
                std::swap(group.rows[i], group.rows[j]);
}

bool has_length_mismatch(const Table& table)
{
    for (const Group& group : table)
        for (const Range& range : group.ranges)
            if (range.first.size() != range.last.size())
                return true;
    return false;
}

// Used ranges move in front of the unused ones, keeping their order; an
// unused slot takes the active flag of the range that took its place.
bool compact_ranges(Group& group)
{
    bool anyUnused = false;
    std::size_t nextFree = 0;
    for (std::size_t x = 0; x < group.ranges.size(); ++x) {
        if (!group.ranges[x].used()) {
            anyUnused = true;
            continue;
        }
        if (x != nextFree)
            std::swap(group.ranges[x], group.ranges[nextFree]);
        ++nextFree;
    }
    return anyUnused;
}

} // namespace

bool hour_text_ok(std::string_view text, HourField field)
{
    if (!all_digits(text))
        return false;
    const int value = hour_value(text);
    if (value == 0)
        return true;
    const int low = field == HourField::From ? 0 : kFirstTillHour;
    const int high = field == HourField::From ? kLastFromHour : kLastTillHour;
    return text.size() <= kMaxHourDigits && value >= low && value <= high;
}

bool predial_text_ok(std::string_view text) { return text.size() <= kMaxPredialDigits && all_digits(text); }

bool range_number_text_ok(std::string_view text)
{
    return text.empty() || (text.size() <= kMaxRangeDigits && all_digits(text) && text.front() == '0');
}

int hour_value(std::string_view text)
{
    constexpr int kCap = 1000;  // far beyond any hour, far below overflow
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min(kCap, value * 10 + (c - '0'));
    }
    return value;
}

std::string provider_name(std::string_view predial)
{
    if (predial.empty())
        return kUnknownProvider;
    for (std::string_view entry : kProviders)
        if (entry.find(predial) != std::string_view::npos)
            return std::string(entry.substr(entry.find(',') + 1));
    return kUnknownProvider;
}

std::string first_characters(std::string_view utf8, std::size_t maxChars)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
        if (startsCharacter && chars++ == maxChars)
            return std::string(utf8.substr(0, i));
    }
    return std::string(utf8);
}

Verdict normalise(Table& edited, const Table& confirmed)
{
    Verdict verdict;
    verdict.incompleteRow = clear_incomplete_rows(edited);
    for (const Group& group : edited)
        verdict.overlap = has_overlap(group) || verdict.overlap;
    if (verdict.overlap) {
        verdict.send = false;
        restore_times(edited, confirmed);
    } else {
        for (Group& group : edited)
            order_rows(group);
    }
    if (has_length_mismatch(edited)) {
        verdict.lengthMismatch = true;
        verdict.send = false;
        return verdict;
    }
    // Ranges to tidy up let the table go even after an overlap: its times
    // are the device's again by now.
    for (Group& group : edited)
        if (compact_ranges(group))
            verdict.send = true;
    return verdict;
}

} // namespace quillon::lcr

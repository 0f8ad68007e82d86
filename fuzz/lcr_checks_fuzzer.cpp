// The least cost routing table's checks and corrections on arbitrary text:
// no crash, and a corrected table keeps its promises (rows in order when
// nothing overlapped, used ranges in front when the lengths matched).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/lcr_checks.h"

using namespace quillon::lcr;

namespace {

// The input's lines, one after another; missing ones read as empty.
struct Lines {
    std::string_view rest;
    std::string next()
    {
        const std::size_t end = rest.find('\n');
        std::string line(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        return line;
    }
};

void fill(Table& table, Lines& lines)
{
    for (Group& group : table) {
        for (Row& row : group.rows) {
            row.from = lines.next();
            row.till = lines.next();
            row.predial = lines.next();
            row.provider = lines.next();
            row.active = !row.provider.empty() && row.provider[0] == '1';
        }
        for (Range& range : group.ranges) {
            range.first = lines.next();
            range.last = lines.next();
        }
    }
}

void check_typing(const std::string& text)
{
    (void)hour_text_ok(text, HourField::From);
    (void)hour_text_ok(text, HourField::Till);
    if (predial_text_ok(text) && text.size() > kMaxPredialDigits)
        std::abort();
    if (range_number_text_ok(text) && !text.empty() && text[0] != '0')
        std::abort();
    if (provider_name(text).empty())
        std::abort();
    const std::string cut = first_characters(text, kMaxProviderChars);
    if (text.compare(0, cut.size(), cut) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Lines lines{input};
    Table edited;
    Table confirmed;
    fill(edited, lines);
    fill(confirmed, lines);
    for (Lines each{input}; !each.rest.empty();)
        check_typing(each.next());

    const Verdict verdict = normalise(edited, confirmed);
    for (const Group& group : edited) {
        if (!verdict.overlap)
            for (std::size_t r = 1; r < group.rows.size(); ++r)
                if (!group.rows[r - 1].from.empty() && !group.rows[r].from.empty() &&
                    hour_value(group.rows[r - 1].from) > hour_value(group.rows[r].from))
                    std::abort();
        if (!verdict.lengthMismatch)
            for (std::size_t x = 1; x < group.ranges.size(); ++x)
                if (!group.ranges[x - 1].used() && group.ranges[x].used())
                    std::abort();
    }
    if (verdict.lengthMismatch && verdict.send)
        std::abort();
    return 0;
}

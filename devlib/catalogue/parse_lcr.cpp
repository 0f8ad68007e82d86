#include "families.h"
#include "numbers.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

// A time range answers as two two-digit hours joined by a dash: "08-18".
constexpr std::size_t kFromDigits = 2;
constexpr std::size_t kToStart = 3;

void parse_time_range(std::string_view line, DrvCmd& rec)
{
    rec.from = read_number(line.substr(0, kFromDigits));
    rec.to = line.size() > kToStart ? read_number(line.substr(kToStart)) : 0;
}

void parse_excluded_range(std::string_view line, DrvCmd& rec)
{
    const std::size_t dash = line.find('-');
    if (dash == std::string_view::npos) {
        record::set_str(rec, line);
        record::set_str2(rec, "");
        return;
    }
    record::set_str(rec, line.substr(0, dash));
    record::set_str2(rec, line.substr(dash + 1));
}

} // namespace

// An empty answer is an unused row: its fields are emptied.
void parse_lcr_entry(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    if (rec.op != OP_QUERY)
        return;
    const std::string_view line = first_line(reply);
    switch (code) {
    case DRV_LCR_TIME:
        parse_time_range(line, rec);  // an empty line reads as 0 and 0
        break;
    case DRV_LCR_PREFIX:
        record::set_str3(rec, line);
        break;
    case DRV_LCR_EXCLUDED:
        parse_excluded_range(line, rec);  // an empty line empties both
        break;
    default:
        break;
    }
}

} // namespace q30::catalogue::family

// Lines of the least cost routing entries: `port` selects the table and
// `index` the row.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kTimeQuery[] = "AT\\D%d%d%c\r";
constexpr char kTimeSet[] = "AT\\D%d%d=%02d-%02d\r";
constexpr char kPrefixQuery[] = "AT\\P%d%d%c\r";
constexpr char kPrefixSet[] = "AT\\P%d%d=%s\r";
constexpr char kExcludedQuery[] = "AT\\N%d%d%c\r";
constexpr char kExcludedSet[] = "AT\\N%d%d=%s-%s\r";

} // namespace

// Each entry code empties the texts it does not use, so a record reused
// across the LCR codes never shows stale values.
void prepare_lcr_entry(uint32_t code, DrvCmd& rec)
{
    switch (code) {
    case DRV_LCR_TIME:
        record::set_str(rec, "");
        record::set_str2(rec, "");
        record::set_str3(rec, "");
        break;
    case DRV_LCR_PREFIX:
        record::set_str(rec, "");
        record::set_str2(rec, "");
        break;
    case DRV_LCR_EXCLUDED:
        record::set_str3(rec, "");
        break;
    default:
        break;
    }
}

OptionalLine format_lcr_entry(uint32_t code, const DrvCmd& rec)
{
    const bool set = rec.op == OP_SET;
    const char mark = query_mark(rec.op);
    switch (code) {
    case DRV_LCR_TIME:
        return set ? at_line(kTimeSet, rec.port, rec.index, rec.from, rec.to)
                   : at_line(kTimeQuery, rec.port, rec.index, mark);
    case DRV_LCR_PREFIX:
        return set ? at_line(kPrefixSet, rec.port, rec.index, std::string(record::str3(rec)).c_str())
                   : at_line(kPrefixQuery, rec.port, rec.index, mark);
    case DRV_LCR_EXCLUDED:
        return set ? at_line(kExcludedSet, rec.port, rec.index, std::string(record::str(rec)).c_str(),
                             std::string(record::str2(rec)).c_str())
                   : at_line(kExcludedQuery, rec.port, rec.index, mark);
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

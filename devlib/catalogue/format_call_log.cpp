// Lines of the call lists (29) and of dialling back a listed number (46,
// and the older code 16 which sends the same line).
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kListDevice[] = "AT\\H%d%c\r";  // the list number, then "?" to read or "=" to clear
constexpr char kListPortRead[] = "AT!P3#%d*%d?\r";
constexpr char kListPortClear[] = "AT!P23#%d*%d\r";
constexpr char kDialBack[] = "AT!P24#%d=%s\r";

constexpr char kReadMark = '?';
constexpr char kClearMark = '=';

} // namespace

OptionalLine format_call_log(uint32_t code, const DrvCmd& rec)
{
    if (code != DRV_CALL_RECORD)
        return std::nullopt;
    const bool clear = clears(rec);
    if (is_port_form(rec.port))
        return clear ? at_line(kListPortClear, rec.port, rec.index)
                     : at_line(kListPortRead, rec.port, rec.index);
    return at_line(kListDevice, rec.index, clear ? kClearMark : kReadMark);
}

OptionalLine format_dial_back(uint32_t code, const DrvCmd& rec)
{
    if (code != DRV_P24 && code != DRV_P24_OLD)
        return std::nullopt;
    return at_line(kDialBack, rec.port, std::string(record::str(rec)).c_str());
}

} // namespace q30::catalogue::family

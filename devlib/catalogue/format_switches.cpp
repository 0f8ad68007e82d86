// Lines of the on/off switches. Where no other op is given, every op but a
// set sends the query, which changes nothing on the device.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kClipQuery[] = "AT%%A5?\r";
constexpr char kClipSet[] = "AT%%A5=%c\r";
constexpr char kClipPortQuery[] = "AT!P17#%d?\r";
constexpr char kClipPortSet[] = "AT!P17#%d=%c\r";
constexpr char kAcceptP2Query[] = "AT!P2#%d?\r";
constexpr char kAcceptP2Set[] = "AT!P2#%d=%c\r";
constexpr char kAcceptP8Query[] = "AT!P8#%d?\r";
constexpr char kAcceptP8Set[] = "AT!P8#%d=%c\r";
constexpr char kSpecialRingQuery[] = "AT!P11#%d?\r";
constexpr char kSpecialRingSet[] = "AT!P11#%d=%d\r";
constexpr char kFilterFlagQuery[] = "AT\\E?\r";
constexpr char kFilterFlagSet[] = "AT\\E=%c\r";
constexpr char kFilterFlagPortQuery[] = "AT!P13#%d?\r";
constexpr char kFilterFlagPortSet[] = "AT!P13#%d=%c\r";
constexpr char kLcrOnQuery[] = "AT&P%c\r";
constexpr char kLcrOnSet[] = "AT&P=%c\r";
constexpr char kLcrLocalQuery[] = "AT&L%d%d%c\r";
constexpr char kLcrLocalSet[] = "AT&L%d%d=%c\r";
constexpr char kLcrActiveQuery[] = "AT&R%d%d%c\r";
constexpr char kLcrActiveSet[] = "AT&R%d%d=%c\r";
constexpr char kLcrRangeOnQuery[] = "AT&N%d%d%c\r";
constexpr char kLcrRangeOnSet[] = "AT&N%d%d=%c\r";
constexpr char kCallbackOnQuery[] = "AT\\A?\r";
constexpr char kCallbackOnSet[] = "AT\\A=%c\r";

} // namespace

OptionalLine format_switch(uint32_t code, const DrvCmd& rec)
{
    const bool set = rec.op == OP_SET;
    const bool perPort = is_port_form(rec.port);
    const char bit = bit_char(rec.on);
    const char mark = query_mark(rec.op);

    switch (code) {
    case DRV_CLIP:
        if (perPort)
            return set ? at_line(kClipPortSet, rec.port, bit) : at_line(kClipPortQuery, rec.port);
        return set ? at_line(kClipSet, bit) : at_line(kClipQuery);
    case DRV_ACCEPT_P2:
        return set ? at_line(kAcceptP2Set, rec.port, bit) : at_line(kAcceptP2Query, rec.port);
    case DRV_ACCEPT_P8:
        return set ? at_line(kAcceptP8Set, rec.port, bit) : at_line(kAcceptP8Query, rec.port);
    case DRV_SPECIAL_RING:
        return set ? at_line(kSpecialRingSet, rec.port, rec.on != 0 ? 1 : 0)
                   : at_line(kSpecialRingQuery, rec.port);
    case DRV_FILTER_FLAG:
        if (perPort)
            return set ? at_line(kFilterFlagPortSet, rec.port, bit) : at_line(kFilterFlagPortQuery, rec.port);
        return set ? at_line(kFilterFlagSet, bit) : at_line(kFilterFlagQuery);
    // The LCR switches send the query mark, or "=" alone to clear (op 2).
    case DRV_LCR_ON:
        return set ? at_line(kLcrOnSet, bit) : at_line(kLcrOnQuery, mark);
    case DRV_LCR_LOCAL:
        return set ? at_line(kLcrLocalSet, rec.port, rec.index, bit)
                   : at_line(kLcrLocalQuery, rec.port, rec.index, mark);
    case DRV_LCR_ACTIVE:
        return set ? at_line(kLcrActiveSet, rec.port, rec.index, bit)
                   : at_line(kLcrActiveQuery, rec.port, rec.index, mark);
    case DRV_LCR_RANGE_ON:
        return set ? at_line(kLcrRangeOnSet, rec.port, rec.index, bit)
                   : at_line(kLcrRangeOnQuery, rec.port, rec.index, mark);
    case DRV_CALLBACK_ON:
        return set ? at_line(kCallbackOnSet, bit) : at_line(kCallbackOnQuery);
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

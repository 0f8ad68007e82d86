// Lines of the morning call (7: switch and time) and the device clock (8).
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kWakeupQuery[] = "AT!P19#%d?\r";
constexpr char kWakeupSet[] = "AT!P19#%d=%c\r";
constexpr char kWakeupTimeQuery[] = "AT!P18#%d?\r";
constexpr char kWakeupTimeSet[] = "AT!P18#%d=%02d:%02d\r";
constexpr char kClockQuery[] = "AT!T?\r";
constexpr char kClockSet[] = "AT!T=%02d/%02d/%04d %02d:%02d:%02d\r";

OptionalLine format_wakeup(const DrvCmd& rec)
{
    switch (rec.op) {
    case OP_SET:
        return at_line(kWakeupSet, rec.port, bit_char(rec.on));
    case OP_QUERY2:
        return at_line(kWakeupTimeQuery, rec.port);
    case OP_SET2: {
        const auto time = record::clock_fields(rec);
        return at_line(kWakeupTimeSet, rec.port, time.hour, time.minute);
    }
    default:
        return at_line(kWakeupQuery, rec.port);
    }
}

// Every op but the set reads the clock.
OptionalLine format_device_clock(const DrvCmd& rec)
{
    if (rec.op != OP_SET2)
        return at_line(kClockQuery);
    const auto c = record::clock_fields(rec);
    return at_line(kClockSet, c.day, c.month, c.year, c.hour, c.minute, c.second);
}

} // namespace

OptionalLine format_clock(uint32_t code, const DrvCmd& rec)
{
    switch (code) {
    case DRV_WAKEUP: return format_wakeup(rec);
    case DRV_CLOCK: return format_device_clock(rec);
    default: return std::nullopt;
    }
}

} // namespace q30::catalogue::family

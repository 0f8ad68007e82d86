// Lines of the charge counters: reading counters 0..3, resetting the
// per-port counter (2) and the device total (3).
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kLastCallQuery[] = "AT\\X1?\r";       // counter 0
constexpr char kCurrentCallQuery[] = "AT\\X3?\r";    // counter 1
constexpr char kPortSumQuery[] = "AT\\X2?\r";        // counter 2
constexpr char kPortSumReset[] = "AT\\Y\r";
constexpr char kPortSumPortReset[] = "AT!P5#%d\r";
constexpr char kTotalQuery[] = "AT!P27?\r";          // counter 3
constexpr char kTotalReset[] = "AT!P28\r";

} // namespace

// Counters outside 0..3, and resets of counters 0 and 1, have no line.
OptionalLine format_charges(uint32_t code, const DrvCmd& rec)
{
    if (code != DRV_CHARGES)
        return std::nullopt;
    if (clears(rec)) {
        switch (rec.index) {
        case kPortSumCharge:
            return is_port_form(rec.port) ? at_line(kPortSumPortReset, rec.port) : at_line(kPortSumReset);
        case kTotalCharge: return at_line(kTotalReset);
        default: return std::nullopt;
        }
    }
    switch (rec.index) {
    case kLastCallCharge: return at_line(kLastCallQuery);
    case kCurrentCallCharge: return at_line(kCurrentCallQuery);
    case kPortSumCharge: return at_line(kPortSumQuery);
    case kTotalCharge: return at_line(kTotalQuery);
    default: return std::nullopt;
    }
}

} // namespace q30::catalogue::family

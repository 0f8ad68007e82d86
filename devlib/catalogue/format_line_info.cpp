// Lines of the ISDN line information, the port status and the %P25-style
// port value. All but code 65's set are queries whatever the op.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kLineStateQuery[] = "AT!C1?\r";
constexpr char kLastCauseQuery[] = "ATS71?\r";
constexpr char kLayer1InfoQuery[] = "AT\\S0?\r";
constexpr char kLayer2InfoQuery[] = "AT\\S1?\r";
constexpr char kPortStatusQuery[] = "AT!P14#0?\r";
constexpr char kP25Query[] = "AT!P25#%d?\r";
constexpr char kP25Set[] = "AT!P25#%d=%d\r";

} // namespace

OptionalLine format_line_info(uint32_t code, const DrvCmd& rec)
{
    switch (code) {
    case DRV_ISDN_C1: return at_line(kLineStateQuery);
    case DRV_ISDN_S71: return at_line(kLastCauseQuery);
    case DRV_ISDN_S0: return at_line(kLayer1InfoQuery);
    case DRV_ISDN_S1: return at_line(kLayer2InfoQuery);
    case DRV_PORT_STATUS: return at_line(kPortStatusQuery);
    case DRV_P25:
        return rec.op == OP_SET ? at_line(kP25Set, rec.port, rec.value) : at_line(kP25Query, rec.port);
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

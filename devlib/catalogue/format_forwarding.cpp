// Lines of call forwarding. Codes 17, 18 and 19 address the device's
// forwarding registers 20, 21 and 22 of one port.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kForwardQuery[] = "AT!P%d#%d?\r";
constexpr char kForwardOn[] = "AT!P%d#%d*1=%s\r";
constexpr char kForwardOff[] = "AT!P%d#%d*0\r";

constexpr int kFirstForwardRegister = 20;

int forward_register(uint32_t code)
{
    return kFirstForwardRegister + static_cast<int>(code - DRV_FORWARD_20);
}

} // namespace

OptionalLine format_forwarding(uint32_t code, const DrvCmd& rec)
{
    if (code < DRV_FORWARD_20 || code > DRV_FORWARD_22)
        return std::nullopt;
    const int reg = forward_register(code);
    if (rec.op == OP_QUERY)
        return at_line(kForwardQuery, reg, rec.port);
    if (rec.on != 0)
        return at_line(kForwardOn, reg, rec.port, std::string(record::str(rec)).c_str());
    return at_line(kForwardOff, reg, rec.port);
}

} // namespace q30::catalogue::family

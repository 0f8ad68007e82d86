// Lines of the text values: MSNs, short dial and call filter numbers, the
// device-wide S registers and the callback numbers.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kMsnQuery[] = "AT!N%d%c\r";
constexpr char kMsnSet[] = "AT!N%d=%s\r";
constexpr char kMsnPortQuery[] = "AT!P0#%d*%d%c\r";
constexpr char kMsnPortSet[] = "AT!P0#%d*%d=%s\r";
constexpr char kShortDialPortQuery[] = "AT!P10#%d*%d%c\r";
constexpr char kShortDialPortSet[] = "AT!P10#%d*%d=%s\r";
constexpr char kFilterNumberQuery[] = "AT\\F%d%c\r";
constexpr char kFilterNumberSet[] = "AT\\F%d=%s\r";
constexpr char kFilterNumberPortQuery[] = "AT!P12#%d*%d%c\r";
constexpr char kFilterNumberPortSet[] = "AT!P12#%d*%d=%s\r";
constexpr char kCallbackNumberQuery[] = "AT\\B%d?\r";
constexpr char kCallbackNumberSet[] = "AT\\B%d=%s\r";
constexpr char kS99Query[] = "ATS99?\r";
constexpr char kS99PortQuery[] = "AT!P26#%d?\r";
constexpr char kRegisterQuery[] = "ATS%d?\r";
constexpr char kRegisterSet[] = "ATS%d=%s\r";

// The S register behind each device-wide text.
constexpr int kChargeUnitRegister = 95;
constexpr int kLocalCodeRegister = 76;
constexpr int kPabxPrefixRegister = 78;
constexpr int kS75Register = 75;
constexpr int kCurrencyRegister = 96;

int text_register(uint32_t code)
{
    switch (code) {
    case DRV_CHARGE_UNIT: return kChargeUnitRegister;
    case DRV_LOCAL_CODE: return kLocalCodeRegister;
    case DRV_PABX_PREFIX: return kPabxPrefixRegister;
    case DRV_S75: return kS75Register;
    case DRV_CURRENCY: return kCurrencyRegister;
    default: return -1;
    }
}

} // namespace

OptionalLine format_text(uint32_t code, const DrvCmd& rec)
{
    const bool set = rec.op == OP_SET;
    const bool perPort = is_port_form(rec.port);
    const char mark = query_mark(rec.op);
    const std::string value(record::str(rec));

    switch (code) {
    case DRV_MSN:
        if (perPort)
            return set ? at_line(kMsnPortSet, rec.port, rec.index, value.c_str())
                       : at_line(kMsnPortQuery, rec.port, rec.index, mark);
        return set ? at_line(kMsnSet, rec.index, value.c_str()) : at_line(kMsnQuery, rec.index, mark);
    case DRV_SHORT_DIAL:
        if (!perPort)
            return std::nullopt;  // short dial slots exist per port only
        return set ? at_line(kShortDialPortSet, rec.port, rec.index, value.c_str())
                   : at_line(kShortDialPortQuery, rec.port, rec.index, mark);
    case DRV_FILTER_NUMBER:
        if (perPort)
            return set ? at_line(kFilterNumberPortSet, rec.port, rec.index, value.c_str())
                       : at_line(kFilterNumberPortQuery, rec.port, rec.index, mark);
        return set ? at_line(kFilterNumberSet, rec.index, value.c_str())
                   : at_line(kFilterNumberQuery, rec.index, mark);
    case DRV_CALLBACK_NUMBER:
        return set ? at_line(kCallbackNumberSet, rec.index, value.c_str())
                   : at_line(kCallbackNumberQuery, rec.index);
    case DRV_S99:  // query only
        return perPort ? at_line(kS99PortQuery, rec.port) : at_line(kS99Query);
    case DRV_CHARGE_UNIT:
    case DRV_LOCAL_CODE:
    case DRV_PABX_PREFIX:
    case DRV_S75:
    case DRV_CURRENCY:
        return set ? at_line(kRegisterSet, text_register(code), value.c_str())
                   : at_line(kRegisterQuery, text_register(code));
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

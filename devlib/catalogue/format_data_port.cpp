// Lines of the data port: the protocol parameters (47) and the registers
// %P3, %P4 (48) and %Pn (49).
#include "data_port_parameters.h"
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kParameterQuery[] = "AT%s?\r";
constexpr char kParameterSet[] = "AT%s=%s\r";
constexpr char kP3Query[] = "AT%%P3?\r";
constexpr char kP3Set[] = "AT%%P3=%d\r";
constexpr char kP4Query[] = "AT%%P4?\r";
constexpr char kP4Set[] = "AT%%P4=%s\r";
constexpr char kPnQuery[] = "AT%%P%d?\r";
constexpr char kPnSet[] = "AT%%P%d=%d\r";

// The text a parameter set carries, or nullopt when there is none.
std::optional<std::string> parameter_value(const DrvCmd& rec)
{
    switch (rec.port) {
    case data_port::kProtocol:
        if (auto code = data_port::protocol_code(record::protocol_number(rec)))
            return std::string(*code);
        return std::nullopt;
    case data_port::kInvertedSwitch:
        return std::string(1, rec.on != 0 ? '0' : '1');
    case data_port::kNumericParameter:
        return std::to_string(rec.index);
    default:
        return std::string(1, bit_char(rec.on));
    }
}

OptionalLine format_parameter(const DrvCmd& rec)
{
    const auto name = data_port::register_name(rec.port, record::protocol_number(rec));
    if (!name)
        return std::nullopt;
    const std::string nameText(*name);
    if (rec.op != OP_SET)
        return at_line(kParameterQuery, nameText.c_str());
    const auto value = parameter_value(rec);
    if (!value)
        return std::nullopt;
    return at_line(kParameterSet, nameText.c_str(), value->c_str());
}

OptionalLine format_p3_p4(const DrvCmd& rec)
{
    const bool set = rec.op == OP_SET;
    if (rec.port == data_port::kP3Selector)
        return set ? at_line(kP3Set, rec.index) : at_line(kP3Query);
    if (rec.port == data_port::kP4Selector)
        return set ? at_line(kP4Set, std::string(record::data_text(rec)).c_str()) : at_line(kP4Query);
    return std::nullopt;
}

} // namespace

OptionalLine format_data_port(uint32_t code, const DrvCmd& rec)
{
    switch (code) {
    case DRV_DATA_PARAM:
        return format_parameter(rec);
    case DRV_DATA_P3P4:
        return format_p3_p4(rec);
    case DRV_DATA_PN:
        return rec.op == OP_SET ? at_line(kPnSet, rec.port, rec.index) : at_line(kPnQuery, rec.port);
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

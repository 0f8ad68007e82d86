#include "data_port_parameters.h"
#include "families.h"
#include "numbers.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

void parse_parameter(std::string_view reply, DrvCmd& rec)
{
    // A parameter that has no register with this protocol was never sent.
    if (!data_port::register_name(rec.port, record::protocol_number(rec)))
        return;
    switch (rec.port) {
    case data_port::kProtocol:
        record::set_protocol_number(rec, data_port::protocol_from_code(read_number(first_line(reply))));
        break;
    case data_port::kInvertedSwitch:
        rec.on = first_char(reply) == '0' ? 1 : 0;
        break;
    case data_port::kNumericParameter:
        rec.index = read_number(first_line(reply));
        break;
    default:
        read_switch(reply, rec);
        break;
    }
}

} // namespace

void parse_data_port(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    if (rec.op != OP_QUERY)
        return;
    switch (code) {
    case DRV_DATA_PARAM:
        parse_parameter(reply, rec);
        break;
    case DRV_DATA_P3P4:
        if (rec.port == data_port::kP3Selector)
            rec.index = read_number(first_line(reply));
        else if (rec.port == data_port::kP4Selector)
            record::set_data_text(rec, first_line(reply));
        break;
    case DRV_DATA_PN:
        rec.index = read_number(first_line(reply));
        break;
    default:
        break;
    }
}

} // namespace q30::catalogue::family

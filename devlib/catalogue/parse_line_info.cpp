#include "families.h"
#include "numbers.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

// The information texts end where the device puts a backspace.
constexpr char kInfoTextEnd = '\b';

// The port status answer holds one line per analogue port, 16 characters
// plus CR LF, the port's state in its last character.
constexpr std::size_t kFirstStateColumn = 15;
constexpr std::size_t kStatusLineStride = 18;

void parse_port_status(std::string_view reply, DrvCmd& rec)
{
    const std::string_view status = reply_content(reply);
    for (int port = 0; port < record::kPortFlagCount; ++port) {
        const std::size_t column = kFirstStateColumn + kStatusLineStride * static_cast<std::size_t>(port);
        // A state counts only when its line end has begun to arrive too.
        const bool busy = status.size() >= column + 2 && status[column] == '1';
        record::set_port_flag(rec, port, busy ? 1 : 0);
    }
}

} // namespace

void parse_line_info(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    switch (code) {
    case DRV_ISDN_C1:
    case DRV_ISDN_S71:
        rec.value = read_number(first_line(reply));
        break;
    case DRV_ISDN_S0:
    case DRV_ISDN_S1:
        // The caller shows the text in a control where one "&" would mark
        // a shortcut, so each is written twice.
        copy_to_caller_buffer_doubling_ampersands(rec, cut_at(reply_content(reply), kInfoTextEnd));
        break;
    case DRV_PORT_STATUS:
        parse_port_status(reply, rec);
        break;
    case DRV_P25:
        if (rec.op == OP_QUERY)
            rec.value = read_number(first_line(reply));
        break;
    default:
        break;
    }
}

} // namespace q30::catalogue::family

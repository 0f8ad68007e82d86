#include "families.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

// A query answer "1" carries the forwarding target from its seventh
// character on.
constexpr std::size_t kTargetColumn = 6;

// After a set the device reports the state it is in: 0 off, 1 on,
// 2 and 3 states in which the forwarding does not run.
constexpr char kHighestSetState = '3';

} // namespace

void parse_forwarding(uint32_t /*code*/, std::string_view reply, DrvCmd& rec)
{
    const char state = first_char(reply);
    if (rec.op == OP_QUERY) {
        if (state == '0') {
            rec.value = 0;
            rec.on = 0;
        } else if (state == '1') {
            rec.value = 1;
            rec.on = 1;
            const std::string_view line = first_line(reply);
            record::set_str(rec, line.size() > kTargetColumn ? line.substr(kTargetColumn) : "");
        }
        return;
    }
    // Any other first character leaves the record as the caller set it.
    if (state >= '0' && state <= kHighestSetState) {
        rec.value = state - '0';
        rec.on = state == '1' ? 1 : 0;
    }
}

} // namespace q30::catalogue::family

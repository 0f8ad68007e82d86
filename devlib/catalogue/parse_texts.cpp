#include "families.h"
#include "reply_text.h"

namespace q30::catalogue::family {

void parse_text(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    // Code 64 is a query whatever the op, so its answer is always taken.
    if (rec.op == OP_QUERY || code == DRV_S99)
        record::set_str(rec, first_line(reply));
}

} // namespace q30::catalogue::family

#include "families.h"
#include "reply_text.h"

namespace q30::catalogue::family {

void read_switch(std::string_view reply, DrvCmd& rec) { rec.on = first_char(reply) == '1' ? 1 : 0; }

void parse_switch(uint32_t /*code*/, std::string_view reply, DrvCmd& rec)
{
    if (rec.op == OP_QUERY)
        read_switch(reply, rec);
}

} // namespace q30::catalogue::family

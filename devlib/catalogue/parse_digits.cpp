#include "families.h"
#include "numbers.h"
#include "reply_text.h"

namespace q30::catalogue::family {

void parse_digit(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    if (rec.op != OP_QUERY)
        return;
    const std::string_view line = first_line(reply);
    if (code == DRV_LANGUAGE) {
        // Only a digit is a language; an empty or garbled answer keeps the
        // caller's value instead of turning into a negative number.
        const char c = first_char(reply);
        if (c >= '0' && c <= '9')
            rec.value = c - '0';
        return;
    }
    // Only the answer's first character counts, read as a number.
    rec.value = read_number(line.substr(0, 1));
}

} // namespace q30::catalogue::family

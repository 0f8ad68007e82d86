#include "families.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

// Counters 0..2 answer with "Charge:", two blanks, then the amounts.
constexpr std::string_view kChargeHeading = "Charge:";
constexpr std::size_t kChargeTextOffset = 9;

} // namespace

void parse_charges(uint32_t /*code*/, std::string_view reply, DrvCmd& rec)
{
    if (clears(rec))
        return;
    if (rec.index >= kLastCallCharge && rec.index <= kPortSumCharge) {
        copy_to_caller_buffer(rec, text_after(reply, kChargeHeading, kChargeTextOffset).value_or(""));
    } else if (rec.index == kTotalCharge) {
        copy_to_caller_buffer(rec, first_line(reply));
    }
}

} // namespace q30::catalogue::family

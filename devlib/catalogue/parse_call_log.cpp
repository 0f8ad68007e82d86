#include "families.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

// The list text starts after the last column heading of the device's table
// and the blanks that follow it.
struct ListHeading {
    std::string_view heading;
    std::size_t textOffset;
};
constexpr ListHeading kOutgoingHeading = {"Charge Amount", 16};  // list 0
constexpr ListHeading kIncomingHeading = {"Disc Cause", 12};     // lists 1 and 2

constexpr int32_t kOutgoingList = 0;
constexpr int32_t kIncomingList = 1;
constexpr int32_t kUnansweredList = 2;

} // namespace

void parse_call_log(uint32_t /*code*/, std::string_view reply, DrvCmd& rec)
{
    if (clears(rec))
        return;
    ListHeading heading;
    if (rec.index == kOutgoingList)
        heading = kOutgoingHeading;
    else if (rec.index == kIncomingList || rec.index == kUnansweredList)
        heading = kIncomingHeading;
    else
        return;

    // No heading, or a heading without rows, is an empty list.
    const auto list = text_after(reply, heading.heading, heading.textOffset);
    if (!list || list->empty() || list->front() == '\r') {
        rec.value = 0;
        return;
    }
    rec.value = 1;
    copy_to_caller_buffer(rec, *list);
}

} // namespace q30::catalogue::family

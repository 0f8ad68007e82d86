// Reading one call list through the page gate; kept apart from the parser
// so that the parser stands alone (unit tests, fuzzing).
#include "pages/call_list.h"

namespace quillon {

std::optional<CallListText> read_call_list(const DeviceGate& gate, int port, int list)
{
    // Four CRs: an untouched buffer reads as no rows.
    std::string buffer(kCallListBufferBytes, '\0');
    buffer.replace(0, 4, "\r\r\r\r");
    DrvCmd r = blank_record(port, list, q30::OP_QUERY);
    q30::record::set_caller_buffer(r, buffer.data(), static_cast<int32_t>(buffer.size()));
    // A device that answered without "OK" told us nothing: keep what is shown.
    if (gate.send(q30::DRV_CALL_RECORD, &r) != q30::kResultOk || r.ok != 1)
        return std::nullopt;
    if (r.value == 0)
        return CallListText{};
    buffer.back() = '\0';  // whatever the library wrote, the text ends inside
    return parse_call_list(buffer, list);
}

} // namespace quillon

// The data protocol page's input rules on arbitrary text: no crash, and
// every finished endpoint identifier that is taken comes back unchanged
// through the form the edit shows; frame sizes and thresholds that pass
// their checks while typed lie in range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pages/data_protocol_checks.h"

using namespace quillon::data_protocol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the class (and one beyond the list), the rest is the text.
    const int eidClass = data[0] % (kEidClassCount + 1);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    (void)check_typed_eid(eidClass, text);
    const EidConversion taken = eid_device_form(eidClass, text);
    if (taken.problem == kNoProblem) {
        const EidConversion again = eid_device_form(eidClass, eid_display_form(eidClass, taken.deviceForm));
        if (again.problem != kNoProblem || again.deviceForm != taken.deviceForm)
            std::abort();
    }
    (void)eid_display_form(eidClass, text);

    for (FrameKind kind : {FrameKind::V120, FrameKind::X75, FrameKind::Hdlc}) {
        const FrameSizeRule& rule = frame_size_rule(kind);
        if (check_typed_frame_size(kind, text) == kNoProblem && !text.empty() &&
            (*decimal_value(text) > rule.high || (rule.lowCheckedWhileTyping && *decimal_value(text) < rule.low)))
            std::abort();
    }
    for (BodKind kind : {BodKind::Water, BodKind::Duration})
        if (check_typed_bod(kind, text) == kNoProblem && !text.empty() && *decimal_value(text) > bod_rule(kind).high)
            std::abort();
    return 0;
}

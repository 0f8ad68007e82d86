#include "shell/device_set.h"

#include <optional>

#include "shell/device_text.h"

namespace quillon {

namespace {

// `str` holds a terminating zero.
constexpr std::size_t kMaxDeviceText = sizeof(DrvCmd::str) - 1;

} // namespace

SetProblem send_set(const DeviceGate& gate, uint32_t code, DrvCmd& record)
{
    const int32_t result = gate.send(code, &record);
    if (result == q30::kResultRefused)
        return SetProblem::BadCharacters;
    return accepted(result, record) ? SetProblem::None : SetProblem::NotAccepted;
}

SetProblem check_device_text(std::string_view text)
{
    const std::optional<std::string> bytes = to_device_text(text);
    if (!bytes)
        return SetProblem::BadCharacters;
    if (bytes->size() > kMaxDeviceText)
        return SetProblem::TooLong;
    for (char c : *bytes)
        if (static_cast<unsigned char>(c) < 0x20)
            return SetProblem::BadCharacters;
    return SetProblem::None;
}

SetProblem send_text_set(const DeviceGate& gate, uint32_t code, DrvCmd& record, std::string_view text)
{
    if (SetProblem p = check_device_text(text); p != SetProblem::None)
        return p;
    q30::record::set_str(record, *to_device_text(text));
    return send_set(gate, code, record);
}

std::string device_str(const DrvCmd& record) { return from_device_text(q30::record::str(record)); }

bool query_switch(const DeviceGate& gate, uint32_t code, int32_t port, int32_t index)
{
    DrvCmd r = blank_record(port, index);
    return accepted(gate.send(code, &r), r) && r.on != 0;
}

std::string query_text(const DeviceGate& gate, uint32_t code, int32_t port, int32_t index)
{
    DrvCmd r = blank_record(port, index);
    return accepted(gate.send(code, &r), r) ? device_str(r) : std::string();
}

} // namespace quillon

// Setting one device value through the page gate, and the one rule for
// whether the device took it: the call returns 0 and the record's `ok` is 1.
#pragma once

#include <cstdint>
#include <string_view>

#include "shell/device_gate.h"

namespace quillon {

// Why a value did not reach the device.
enum class SetProblem {
    None,
    TooLong,        // longer than the command record's field
    BadCharacters,  // a character the device's line cannot carry
    NotAccepted,    // the device answered ERROR, or did not answer
};

inline bool accepted(int32_t result, const DrvCmd& r) { return result == q30::kResultOk && r.ok == 1; }

// Sends a filled set record; the record keeps the device's answer.
SetProblem send_set(const DeviceGate& gate, uint32_t code, DrvCmd& record);
// Puts a UTF-8 text into the record's `str` as the device takes it and sends
// the set. Nothing is sent when the text does not fit or cannot be carried.
SetProblem send_text_set(const DeviceGate& gate, uint32_t code, DrvCmd& record, std::string_view text);
// The check alone: what send_text_set would refuse before sending.
SetProblem check_device_text(std::string_view text);

// The record's `str` as UTF-8.
std::string device_str(const DrvCmd& record);

// Queries of one switch or text; what the device does not answer with "OK"
// reads as off or empty.
bool query_switch(const DeviceGate& gate, uint32_t code, int32_t port, int32_t index = 0);
std::string query_text(const DeviceGate& gate, uint32_t code, int32_t port, int32_t index = 0);

} // namespace quillon

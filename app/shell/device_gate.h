// The program's way to the device: every page and settings query goes
// through the gate, which answers -2 without calling the library while the
// link is down. Start-up and the alive poll call the library directly.
#pragma once

#include <cstdint>
#include <functional>

#include "q30com32/q30com32.h"
#include "shell/app_state.h"

namespace quillon {

// The library's entry point, replaceable in tests.
using DeviceCall = std::function<int32_t(uint32_t code, DrvCmd* record)>;

class DeviceGate {
public:
    DeviceGate(AppState& state, DeviceCall call) : state_(state), call_(std::move(call)) {}

    // Through the gate.
    int32_t send(uint32_t code, DrvCmd* record) const
    {
        return state_.linkUp ? call_(code, record) : q30::kResultNoReply;
    }
    // Straight to the library.
    int32_t direct(uint32_t code, DrvCmd* record) const { return call_(code, record); }

private:
    AppState& state_;
    DeviceCall call_;
};

// A cleared record, as every caller builds it.
DrvCmd blank_record(int32_t port = 0, int32_t index = 0, int32_t op = q30::OP_QUERY);

} // namespace quillon

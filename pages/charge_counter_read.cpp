#include "pages/charge_counter_read.h"

#include <cstring>
#include <vector>

#include "shell/device_set.h"

namespace quillon {

namespace {

constexpr int32_t kCounterTextSize = 960;  // what the library may write, its NUL included

} // namespace

std::optional<std::string> read_charge_counter(const DeviceGate& gate, int counter)
{
    std::vector<char> text(kCounterTextSize + 1, '\0');
    DrvCmd r = blank_record(q30::kDevicePort, counter, q30::OP_QUERY);
    q30::record::set_caller_buffer(r, text.data(), kCounterTextSize);
    if (!accepted(gate.send(q30::DRV_CHARGES, &r), r))
        return std::nullopt;
    return std::string(text.data(), strnlen(text.data(), kCounterTextSize));
}

} // namespace quillon

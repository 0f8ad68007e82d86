// Fuzzes what the library reads from the identity answers (ATI4, ATI3), the
// call check, the download verdict and the boot loader's words.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device_answers.h"
#include "q30com32/command_codes.h"

namespace {

constexpr std::size_t kFirmwareCapacity = 51;
constexpr std::size_t kBootCodeCapacity = 35;

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    using namespace q30;

    const answers::OrderNumber order = answers::read_order_number(reply);
    check(order.model == kModelQ30 || order.model == kModelQ20 || order.model == kModelUnknown);
    check(!order.usb || order.model == kModelQ30);

    const answers::Versions v = answers::read_versions(reply, kFirmwareCapacity, kBootCodeCapacity);
    check(v.firmware.size() <= kFirmwareCapacity && v.bootCode.size() <= kBootCodeCapacity);
    check(v.firmware.find_first_of("\r\n") == std::string::npos);
    check(v.bootCode.find_first_of("\r\n") == std::string::npos);

    const int call = answers::read_call_check(reply);
    check(call == 0 || call == 1);
    const int verdict = answers::read_download_verdict(reply);
    check(verdict >= 1 && verdict <= 3);
    check((verdict == 2) <= answers::boot_loader_waiting(reply));
    return 0;
}

// Finding the device on COM1..COM8, recognising its model and versions, and
// reporting that identity.
#include <algorithm>

#include "com_ports.h"
#include "driver.h"
#include "device_lines.h"

namespace q30 {

namespace {

constexpr std::size_t kFirmwareCapacity = sizeof(DrvCmd::text) - 1;
constexpr std::size_t kBootCodeCapacity = record::kBootVersionSize - 1;

bool contains(std::string_view text, std::string_view what)
{
    return text.find(what) != std::string_view::npos;
}

// The content of a verbose reply starts after its leading CR LF.
std::string_view content(std::string_view reply)
{
    return reply.size() > 2 ? reply.substr(2) : std::string_view{};
}

std::string_view up_to_line_end(std::string_view s)
{
    return s.substr(0, std::min(s.find_first_of("\r\n"), s.size()));
}

std::string bounded(std::string_view s, std::size_t capacity)
{
    return std::string(s.substr(0, std::min(s.size(), capacity)));
}

} // namespace

bool Driver::identify()
{
    // The first exchange clears an echo or a pending answer; only the second counts.
    exchange(special::kEchoOff, special::kEchoOffMs);
    if (exchange(special::kEchoOff, special::kEchoOffMs) != 0)
        return false;
    if (exchange(special::kVerbose, special::kIdentifyMs) != 0)
        return false;

    if (exchange(special::kOrderNumber, special::kIdentifyMs) != 0)
        return false;
    std::string_view order = reply();
    if (contains(order, special::kQ30OrderDigits)) {
        identity_.model = kModelQ30;
        identity_.usb = contains(order, special::kUsbMark) ? 1 : 0;
    } else if (contains(order, special::kQ20OrderDigits)) {
        identity_.model = kModelQ20;
    } else {
        identity_.model = kModelUnknown;
        return false;
    }

    if (exchange(special::kVersions, special::kIdentifyMs) != 0)
        return false;
    std::string_view versions = content(reply());
    identity_.firmware = bounded(up_to_line_end(versions), kFirmwareCapacity);
    std::size_t mark = versions.find(special::kBootCodeMark);
    std::size_t start = mark == std::string_view::npos ? versions.size() : mark + special::kBootCodeSkip;
    identity_.bootCode = start < versions.size()
                             ? bounded(up_to_line_end(versions.substr(start)), kBootCodeCapacity)
                             : std::string{};
    return true;
}

// One round of the search on one port; leaves the port open on success.
bool Driver::connect(int comIndex)
{
    if (!link_.open(com_path(comIndex), comIndex))
        return false;
    if (!link_.configure(kSpeed115200) || !identify()) {
        link_.close();
        return false;
    }
    identity_.comIndex = comIndex;
    return true;
}

int32_t Driver::find_device()
{
    for (int i = 0; i < kComPortCount; ++i)
        if (connect(i))
            return kResultOk;
    return kResultNoReply;
}

int32_t Driver::reopen()
{
    return connect(identity_.comIndex) ? kResultOk : kResultNoReply;
}

int32_t Driver::device_info(DrvCmd& rec)
{
    identify();
    rec.port = identity_.comIndex;
    rec.index = identity_.model;
    record::set_usb_flag(rec, identity_.usb);
    record::set_text_field(rec, identity_.firmware);
    record::set_boot_version(rec, identity_.bootCode);
    return 1;
}

} // namespace q30

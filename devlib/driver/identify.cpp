// Finding the device on COM1..COM8, recognising its model and versions, and
// reporting that identity.
#include "device_answers.h"
#include "device_lines.h"
#include "driver.h"
#include "q30com32/com_ports.h"

namespace q30 {

namespace {

constexpr std::size_t kFirmwareCapacity = sizeof(DrvCmd::text) - 1;
constexpr std::size_t kBootCodeCapacity = record::kBootVersionSize - 1;

} // namespace

bool Driver::identify()
{
    // Until ATV1 the device may answer in either result format, so these
    // replies end when the line falls quiet. The first exchange clears an
    // echo or a pending answer; only the second counts, and silence after
    // the first is no reason to wait for a late answer.
    exchange(special::kEchoOff, special::kEchoOffMs, ReplyEnd::QuietGap);
    link_.forgive_failure();
    if (exchange(special::kEchoOff, special::kEchoOffMs, ReplyEnd::QuietGap) != 0)
        return false;
    if (exchange(special::kVerbose, special::kIdentifyMs, ReplyEnd::QuietGap) != 0)
        return false;

    if (exchange(special::kOrderNumber, special::kIdentifyMs) != 0)
        return false;
    const answers::OrderNumber order = answers::read_order_number(reply());
    identity_.model = order.model;
    if (order.usb)
        identity_.usb = *order.usb;
    if (order.model == kModelUnknown)
        return false;

    if (exchange(special::kVersions, special::kIdentifyMs) != 0)
        return false;
    answers::Versions versions = answers::read_versions(reply(), kFirmwareCapacity, kBootCodeCapacity);
    identity_.firmware = std::move(versions.firmware);
    identity_.bootCode = std::move(versions.bootCode);
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

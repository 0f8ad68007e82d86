// The firmware download steps: call check, download mode, raw data, the
// verdict, the line speed, and the DTR reset into the boot loader.
#include <thread>

#include "com_ports.h"
#include "driver.h"
#include "device_lines.h"

namespace q30 {

namespace {
bool contains(std::string_view text, std::string_view what)
{
    return text.find(what) != std::string_view::npos;
}
} // namespace

int32_t Driver::call_check()
{
    if (exchange(special::kCallCheck, special::kCallCheckMs) != 0)
        return -1;
    return contains(reply(), "0") ? 1 : 0;
}

int32_t Driver::download_start()
{
    link_.set_reply_timeout(special::kDownloadStartMs);
    link_.write_text(special::kDownloadStart);
    return 1;
}

int32_t Driver::write_raw(DrvCmd& rec)
{
    const char* data = record::caller_buffer(rec);
    const int32_t count = record::byte_count(rec);
    if (data == nullptr || rec.bufferSize < 1 || count < 0 || count > rec.bufferSize)
        return kResultRefused;
    link_.write_raw(data, static_cast<std::size_t>(count));
    return 1;
}

int32_t Driver::download_result()
{
    link_.set_reply_timeout(special::kDownloadResultMs);
    if (link_.read_reply(reply_.data(), reply_.size()) != 0)
        return 1;
    if (contains(reply(), special::kSuccessMark))
        return 3;
    if (contains(reply(), special::kFailMark))
        return 2;
    return 1;
}

int32_t Driver::boot_open(DrvCmd& rec)
{
    if (!link_.open(com_path(rec.port), rec.port))
        return 1;
    return boot_reset(rec);
}

// A device without usable firmware sits in its boot loader after the DTR
// reset and announces itself with a line holding "FAIL".
int32_t Driver::boot_reset(DrvCmd& rec)
{
    if (!link_.configure(kSpeed19200))
        return 1;
    link_.set_reply_timeout(special::kBootResetMs);
    link_.set_dtr(false);
    std::this_thread::sleep_for(bootTiming_.dtrLow);
    link_.set_dtr(true);
    std::this_thread::sleep_for(bootTiming_.afterDtr);
    if (link_.read_reply(reply_.data(), reply_.size()) != 0 || !contains(reply(), special::kFailMark))
        return 1;
    identity_.comIndex = rec.port;
    return 2;
}

int32_t Driver::set_speed(DrvCmd& rec)
{
    link_.configure(rec.value & 0xFF);
    identify();
    return 1;
}

} // namespace q30

// The firmware download steps: call check, download mode, raw data, the
// verdict, the line speed, and the DTR reset into the boot loader.
#include <thread>

#include "device_answers.h"
#include "device_lines.h"
#include "driver.h"
#include "q30com32/com_ports.h"

namespace q30 {

int32_t Driver::call_check()
{
    if (exchange(special::kCallCheck, special::kCallCheckMs) != 0)
        return -1;
    return answers::read_call_check(reply());
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
    // The verdict is a line of its own, with no final code after it.
    if (read(special::kDownloadResultMs, ReplyEnd::QuietGap) != 0)
        return 1;
    return answers::read_download_verdict(reply());
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
    link_.set_dtr(false);
    std::this_thread::sleep_for(bootTiming_.dtrLow);
    link_.set_dtr(true);
    std::this_thread::sleep_for(bootTiming_.afterDtr);
    // The boot loader's words carry no final code; silence is an answer
    // here too (no boot loader), not a failed exchange.
    const bool silent = read(special::kBootResetMs, ReplyEnd::QuietGap) != 0;
    if (silent)
        link_.forgive_failure();
    if (silent || !answers::boot_loader_waiting(reply()))
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

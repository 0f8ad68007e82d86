#include "driver.h"

#include <cstring>

#include "catalogue.h"
#include "device_lines.h"

namespace q30 {

using catalogue::FormatStatus;
using catalogue::Kind;

int32_t Driver::send(uint32_t rawCode, DrvCmd* rec)
{
    const uint32_t code = rawCode & 0xFFFFu;
    if (code > kHighestCommandCode)
        return 0;
    const catalogue::CommandInfo& info = catalogue::command_info(code);
    if (info.kind == Kind::None)
        return code == DRV_NOP36 ? 1 : 0;
    if (info.needsRecord && rec == nullptr)
        return kResultRefused;
    if (rec)
        rec->code = static_cast<int32_t>(code);
    if (info.kind == Kind::Generic)
        return generic(code, *rec);

    switch (code) {
    case DRV_FIND_DEVICE: return find_device();
    case DRV_PING:
    case DRV_PING2: return ping();
    case DRV_CLOSE: link_.close(); return 0;
    case DRV_STORE: return store();
    case DRV_P24_OLD:
    case DRV_P24: return dial_back(code, *rec);
    case DRV_DEVICE_INFO: return device_info(*rec);
    case DRV_CALL_CHECK: return call_check();
    case DRV_DOWNLOAD_START: return download_start();
    case DRV_WRITE_RAW: return write_raw(*rec);
    case DRV_DOWNLOAD_RESULT: return download_result();
    case DRV_BOOT_OPEN: return boot_open(*rec);
    case DRV_BOOT_RESET: return boot_reset(*rec);
    case DRV_SET_SPEED: return set_speed(*rec);
    case DRV_REOPEN: return reopen();
    default: return 0;
    }
}

int Driver::exchange(std::string_view line, int replyTimeoutMs, ReplyEnd end)
{
    link_.write_text(line);
    return read(replyTimeoutMs, end);
}

int Driver::read(int replyTimeoutMs, ReplyEnd end)
{
    link_.set_reply_timeout(replyTimeoutMs);
    return link_.read_reply(reply_.data(), reply_.size(), end);
}

std::string_view Driver::reply() const
{
    return {reply_.data(), strnlen(reply_.data(), reply_.size())};
}

// Formats the line and records it in `text` without its carriage return.
// Returns false when nothing is to be sent.
static bool prepare_line(uint32_t code, DrvCmd& rec, catalogue::FormattedLine& f, int32_t& result)
{
    catalogue::prepare_record(code, rec);
    f = catalogue::format_command(code, rec);
    if (f.status == FormatStatus::Refused) {
        rec.replied = 0;
        result = kResultRefused;
        return false;
    }
    if (f.status == FormatStatus::NothingToSend) {
        result = 0;
        return false;
    }
    std::string_view shown(f.line);
    if (!shown.empty() && shown.back() == '\r')
        shown.remove_suffix(1);
    record::set_text_field(rec, shown);
    return true;
}

int32_t Driver::generic(uint32_t code, DrvCmd& rec)
{
    catalogue::FormattedLine f;
    int32_t result = 0;
    if (!prepare_line(code, rec, f, result))
        return result;
    const catalogue::CommandInfo& info = catalogue::command_info(code);
    if (exchange(f.line, info.replyTimeoutMs, info.replyEnd) != 0) {
        rec.replied = 0;
        return kResultNoReply;
    }
    catalogue::apply_reply(code, reply(), rec);
    return kResultOk;
}

// Dial back: the device answers at once and again when the call is set up;
// only the second answer counts.
int32_t Driver::dial_back(uint32_t code, DrvCmd& rec)
{
    catalogue::FormattedLine f;
    int32_t result = 0;
    if (!prepare_line(code, rec, f, result))
        return result;
    exchange(f.line, special::kDialBackFirstMs);
    return read(special::kDialBackSecondMs, ReplyEnd::FinalCode);
}

int32_t Driver::ping()
{
    return exchange(special::kPing, special::kPingMs) == 0 ? 1 : -1;
}

int32_t Driver::store()
{
    exchange(special::kStore, special::kStoreMs);
    link_.set_reply_timeout(special::kAfterStoreMs);
    return 0;
}

} // namespace q30

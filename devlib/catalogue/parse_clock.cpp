#include <array>

#include "families.h"
#include "numbers.h"
#include "reply_text.h"

namespace q30::catalogue::family {

namespace {

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
constexpr int kLargestByte = 255;

// The day reads "--" while the device clock has not been set since power-up.
constexpr std::string_view kClockNotSet = "--";
constexpr int32_t kClockNotSetValue = 1;

// "day/month/year hour:minute:second" is split at these, in this order.
constexpr std::array<char, 5> kClockSeparators = {'/', '/', ' ', ':', ':'};
enum ClockPiece { kDay, kMonth, kYear, kHour, kMinute, kSecond, kClockPieceCount };

// Splits at each separator in turn; pieces after a missing separator are
// empty and read as 0.
std::array<std::string_view, kClockPieceCount> split_clock(std::string_view line)
{
    std::array<std::string_view, kClockPieceCount> pieces{};
    std::string_view rest = line;
    for (std::size_t i = 0; i < kClockSeparators.size(); ++i) {
        const std::size_t at = rest.find(kClockSeparators[i]);
        if (at == std::string_view::npos) {
            pieces[i] = rest;
            return pieces;
        }
        pieces[i] = rest.substr(0, at);
        rest = rest.substr(at + 1);
    }
    pieces[kSecond] = rest;
    return pieces;
}

bool fits_byte(int32_t v) { return v >= 0 && v <= kLargestByte; }

// Morning call time "hour:minute"; a time out of range is ignored.
void parse_wakeup_time(std::string_view line, DrvCmd& rec)
{
    const std::size_t colon = line.find(':');
    const int32_t hour = read_number(line.substr(0, colon));
    const int32_t minute = colon == std::string_view::npos ? 0 : read_number(line.substr(colon + 1));
    if (hour < 0 || hour > kLastHour || minute < 0 || minute > kLastMinute)
        return;
    record::set_u8(rec, record::kHourOffset, static_cast<uint8_t>(hour));
    record::set_u8(rec, record::kMinuteOffset, static_cast<uint8_t>(minute));
}

// The clock's byte fields are stored only when every one of them fits a
// byte, so a garbled answer never wraps into a plausible date; the record
// then keeps its values, except that an unset clock is still reported.
void parse_device_clock(std::string_view line, DrvCmd& rec)
{
    const auto pieces = split_clock(line);
    const bool notSet = pieces[kDay].find(kClockNotSet) != std::string_view::npos;
    const record::ClockFields read{read_number(pieces[kDay]),  read_number(pieces[kMonth]),
                                   read_number(pieces[kYear]), read_number(pieces[kHour]),
                                   read_number(pieces[kMinute]), read_number(pieces[kSecond])};
    const bool bytesFit = fits_byte(read.day) && fits_byte(read.month) && fits_byte(read.hour) &&
                          fits_byte(read.minute) && fits_byte(read.second);
    if (bytesFit) {
        record::ClockFields stored = read;
        if (notSet)
            stored.year = kClockNotSetValue;
        record::set_clock_fields(rec, stored);
    } else if (notSet) {
        rec.value = kClockNotSetValue;
    }
}

} // namespace

void parse_clock(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    if (code == DRV_WAKEUP) {
        if (rec.op == OP_QUERY)
            read_switch(reply, rec);
        else if (rec.op == OP_QUERY2)
            parse_wakeup_time(first_line(reply), rec);
    } else if (code == DRV_CLOCK && rec.op != OP_SET2) {
        parse_device_clock(first_line(reply), rec);
    }
}

} // namespace q30::catalogue::family

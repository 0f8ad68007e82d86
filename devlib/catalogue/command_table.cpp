// One row per command code: name, kind, family, reply time-out, what the
// record and the reply must hold, and how the reply ends.
#include <array>
#include <cctype>

#include "catalogue.h"

namespace q30::catalogue {

namespace {

constexpr int kShortReplyMs = 300;
constexpr int kLongReplyMs = 5000;   // the device writes to its memory, or sends a whole list
constexpr int kSearchReplyMs = 1000; // identify's first exchanges
constexpr int kBootReplyMs = 3000;
constexpr int kDownloadVerdictMs = 8000;
constexpr int kNotUsed = 0;

constexpr Kind N = Kind::None;
constexpr Kind G = Kind::Generic;
constexpr Kind S = Kind::Special;
using F = Family;
constexpr CallerBuffer NoBuffer = CallerBuffer::None;
constexpr CallerBuffer WhenReading = CallerBuffer::WhenReading;
constexpr CallerBuffer Always = CallerBuffer::Always;
constexpr ReplyEnd Final = ReplyEnd::FinalCode;
constexpr ReplyEnd Backspace = ReplyEnd::Backspace;  // the information texts end with one
constexpr ReplyEnd Quiet = ReplyEnd::QuietGap;       // no final code by design, or nothing read

// Columns: name, kind, family, reply time-out, record needed, "OK" needed,
// caller buffer read, how the reply ends. Special codes carry the time-out
// and the end of their first read, for the driver's reference; codes that
// read nothing (or only through identify) carry 0. Only generic codes look
// for "OK": the special codes' results have rules of their own.
constexpr std::array<CommandInfo, kHighestCommandCode + 1> kCommands = {{
    {"DRV_FIND_DEVICE", S, F::None, kSearchReplyMs, false, false, NoBuffer, Quiet},    // 0
    {"DRV_PING", S, F::None, kShortReplyMs, false, false, NoBuffer, Final},            // 1
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 2
    {"DRV_CLOSE", S, F::None, kNotUsed, false, false, NoBuffer, Quiet},                // 3
    {"DRV_MSN", G, F::Text, kLongReplyMs, true, true, NoBuffer, Final},                // 4
    {"DRV_CLIP", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},            // 5
    {"DRV_STORE", S, F::None, kLongReplyMs, false, false, NoBuffer, Final},            // 6
    {"DRV_WAKEUP", G, F::Clock, kShortReplyMs, true, true, NoBuffer, Final},           // 7
    {"DRV_CLOCK", G, F::Clock, kShortReplyMs, true, true, NoBuffer, Final},            // 8
    {"DRV_ACCEPT_P2", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},       // 9
    {"DRV_ACCEPT_P8", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},       // 10
    {"DRV_ACCEPT_P9", G, F::Digit, kShortReplyMs, true, true, NoBuffer, Final},        // 11
    {"DRV_ACCEPT_P6", G, F::Digit, kShortReplyMs, true, true, NoBuffer, Final},        // 12
    {"DRV_ACCEPT_P1", G, F::Digit, kShortReplyMs, true, true, NoBuffer, Final},        // 13
    {"DRV_SPECIAL_RING", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},    // 14
    {"DRV_SHORT_DIAL", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},        // 15
    {"DRV_P24_OLD", S, F::DialBack, kShortReplyMs, true, false, NoBuffer, Final},      // 16
    {"DRV_FORWARD_20", G, F::Forwarding, kLongReplyMs, true, true, NoBuffer, Final},   // 17
    {"DRV_FORWARD_21", G, F::Forwarding, kLongReplyMs, true, true, NoBuffer, Final},   // 18
    {"DRV_FORWARD_22", G, F::Forwarding, kLongReplyMs, true, true, NoBuffer, Final},   // 19
    {"DRV_FILTER_FLAG", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},     // 20
    {"DRV_FILTER_NUMBER", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},     // 21
    {"DRV_LCR_ON", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},          // 22
    {"DRV_LCR_TIME", G, F::LcrEntry, kShortReplyMs, true, true, NoBuffer, Final},      // 23
    {"DRV_LCR_PREFIX", G, F::LcrEntry, kShortReplyMs, true, true, NoBuffer, Final},    // 24
    {"DRV_LCR_LOCAL", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},       // 25
    {"DRV_LCR_ACTIVE", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},      // 26
    {"DRV_LCR_EXCLUDED", G, F::LcrEntry, kShortReplyMs, true, true, NoBuffer, Final},  // 27
    {"DRV_LCR_RANGE_ON", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},    // 28
    {"DRV_CALL_RECORD", G, F::CallLog, kLongReplyMs, true, true, WhenReading, Final},  // 29
    {"DRV_CHARGES", G, F::Charges, kLongReplyMs, true, true, WhenReading, Final},      // 30
    {"DRV_DEVICE_INFO", S, F::None, kNotUsed, true, false, NoBuffer, Quiet},           // 31
    {"DRV_CALL_CHECK", S, F::None, kShortReplyMs, false, false, NoBuffer, Final},      // 32
    {"DRV_DOWNLOAD_START", S, F::None, kShortReplyMs, false, false, NoBuffer, Quiet},  // 33
    {"DRV_WRITE_RAW", S, F::None, kNotUsed, true, false, NoBuffer, Quiet},             // 34
    {"DRV_DOWNLOAD_RESULT", S, F::None, kDownloadVerdictMs, false, false, NoBuffer, Quiet}, // 35
    {"DRV_NOP36", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                // 36
    {"DRV_BOOT_OPEN", S, F::None, kBootReplyMs, true, false, NoBuffer, Quiet},         // 37
    {"DRV_SET_SPEED", S, F::None, kNotUsed, true, false, NoBuffer, Quiet},             // 38
    {"DRV_LANGUAGE", G, F::Digit, kShortReplyMs, true, true, NoBuffer, Final},         // 39
    {"DRV_CHARGE_UNIT", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},       // 40
    {"DRV_LOCAL_CODE", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},        // 41
    {"DRV_PABX_PREFIX", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},       // 42
    {"DRV_S75", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},               // 43
    {"DRV_CALLBACK_ON", G, F::Switch, kShortReplyMs, true, true, NoBuffer, Final},     // 44
    {"DRV_CALLBACK_NUMBER", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},   // 45
    {"DRV_P24", S, F::DialBack, kShortReplyMs, true, false, NoBuffer, Final},          // 46: then a second read of 5000
    {"DRV_DATA_PARAM", G, F::DataPort, kShortReplyMs, true, true, NoBuffer, Final},    // 47
    {"DRV_DATA_P3P4", G, F::DataPort, kShortReplyMs, true, true, NoBuffer, Final},     // 48
    {"DRV_DATA_PN", G, F::DataPort, kShortReplyMs, true, true, NoBuffer, Final},       // 49
    {"DRV_ISDN_C1", G, F::LineInfo, kShortReplyMs, true, true, NoBuffer, Final},       // 50
    {"DRV_ISDN_S71", G, F::LineInfo, kShortReplyMs, true, true, NoBuffer, Final},      // 51
    {"DRV_ISDN_S0", G, F::LineInfo, kShortReplyMs, true, false, Always, Backspace},    // 52
    {"DRV_ISDN_S1", G, F::LineInfo, kShortReplyMs, true, false, Always, Backspace},    // 53
    {"DRV_PORT_STATUS", G, F::LineInfo, kShortReplyMs, true, true, NoBuffer, Final},   // 54
    {"DRV_PING", S, F::None, kShortReplyMs, false, false, NoBuffer, Final},            // 55
    {"DRV_BOOT_RESET", S, F::None, kBootReplyMs, true, false, NoBuffer, Quiet},        // 56
    {"DRV_REOPEN", S, F::None, kSearchReplyMs, false, false, NoBuffer, Quiet},         // 57
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 58
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 59
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 60
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 61
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 62
    {"DRV_NOP", N, F::None, kNotUsed, false, false, NoBuffer, Quiet},                  // 63
    {"DRV_S99", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},               // 64
    {"DRV_P25", G, F::LineInfo, kShortReplyMs, true, true, NoBuffer, Final},           // 65
    {"DRV_CURRENCY", G, F::Text, kShortReplyMs, true, true, NoBuffer, Final},          // 66
}};

constexpr CommandInfo kUnknownCommand = {"", Kind::None, F::None, kNotUsed, false, false, NoBuffer, Quiet};

constexpr std::string_view kNamePrefix = "DRV_";

bool equal_ignoring_case(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool has_prefix_ignoring_case(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equal_ignoring_case(text.substr(0, prefix.size()), prefix);
}

} // namespace

const CommandInfo& command_info(uint32_t code)
{
    return code < kCommands.size() ? kCommands[code] : kUnknownCommand;
}

int code_by_name(std::string_view name)
{
    if (has_prefix_ignoring_case(name, kNamePrefix))
        name.remove_prefix(kNamePrefix.size());
    if (name.empty())
        return -1;
    // In table order, so a name shared by several codes gives the lowest.
    for (std::size_t code = 0; code < kCommands.size(); ++code) {
        const std::string_view known = kCommands[code].name;
        if (equal_ignoring_case(known.substr(kNamePrefix.size()), name))
            return static_cast<int>(code);
    }
    return -1;
}

} // namespace q30::catalogue

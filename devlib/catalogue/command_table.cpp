// Name, kind, reply time-out and record use of every command code.
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

// Special codes carry the time-out of their first read, for the driver's
// reference; codes that read nothing (or only through identify) carry 0.
constexpr std::array<CommandInfo, kHighestCommandCode + 1> kCommands = {{
    {"DRV_FIND_DEVICE", S, kSearchReplyMs, false},     // 0
    {"DRV_PING", S, kShortReplyMs, false},             // 1
    {"DRV_NOP", N, kNotUsed, false},                   // 2
    {"DRV_CLOSE", S, kNotUsed, false},                 // 3
    {"DRV_MSN", G, kLongReplyMs, true},                // 4
    {"DRV_CLIP", G, kShortReplyMs, true},              // 5
    {"DRV_STORE", S, kLongReplyMs, false},             // 6
    {"DRV_WAKEUP", G, kShortReplyMs, true},            // 7
    {"DRV_CLOCK", G, kShortReplyMs, true},             // 8
    {"DRV_ACCEPT_P2", G, kShortReplyMs, true},         // 9
    {"DRV_ACCEPT_P8", G, kShortReplyMs, true},         // 10
    {"DRV_ACCEPT_P9", G, kShortReplyMs, true},         // 11
    {"DRV_ACCEPT_P6", G, kShortReplyMs, true},         // 12
    {"DRV_ACCEPT_P1", G, kShortReplyMs, true},         // 13
    {"DRV_SPECIAL_RING", G, kShortReplyMs, true},      // 14
    {"DRV_SHORT_DIAL", G, kShortReplyMs, true},        // 15
    {"DRV_P24_OLD", S, kShortReplyMs, true},           // 16
    {"DRV_FORWARD_20", G, kLongReplyMs, true},         // 17
    {"DRV_FORWARD_21", G, kLongReplyMs, true},         // 18
    {"DRV_FORWARD_22", G, kLongReplyMs, true},         // 19
    {"DRV_FILTER_FLAG", G, kShortReplyMs, true},       // 20
    {"DRV_FILTER_NUMBER", G, kShortReplyMs, true},     // 21
    {"DRV_LCR_ON", G, kShortReplyMs, true},            // 22
    {"DRV_LCR_TIME", G, kShortReplyMs, true},          // 23
    {"DRV_LCR_PREFIX", G, kShortReplyMs, true},        // 24
    {"DRV_LCR_LOCAL", G, kShortReplyMs, true},         // 25
    {"DRV_LCR_ACTIVE", G, kShortReplyMs, true},        // 26
    {"DRV_LCR_EXCLUDED", G, kShortReplyMs, true},      // 27
    {"DRV_LCR_RANGE_ON", G, kShortReplyMs, true},      // 28
    {"DRV_CALL_RECORD", G, kLongReplyMs, true},        // 29
    {"DRV_CHARGES", G, kLongReplyMs, true},            // 30
    {"DRV_DEVICE_INFO", S, kNotUsed, true},            // 31
    {"DRV_CALL_CHECK", S, kShortReplyMs, false},       // 32
    {"DRV_DOWNLOAD_START", S, kShortReplyMs, false},   // 33
    {"DRV_WRITE_RAW", S, kNotUsed, true},              // 34
    {"DRV_DOWNLOAD_RESULT", S, kDownloadVerdictMs, false}, // 35
    {"DRV_NOP36", N, kNotUsed, false},                 // 36
    {"DRV_BOOT_OPEN", S, kBootReplyMs, true},          // 37
    {"DRV_SET_SPEED", S, kNotUsed, true},              // 38
    {"DRV_LANGUAGE", G, kShortReplyMs, true},          // 39
    {"DRV_CHARGE_UNIT", G, kShortReplyMs, true},       // 40
    {"DRV_LOCAL_CODE", G, kShortReplyMs, true},        // 41
    {"DRV_PABX_PREFIX", G, kShortReplyMs, true},       // 42
    {"DRV_S75", G, kShortReplyMs, true},               // 43
    {"DRV_CALLBACK_ON", G, kShortReplyMs, true},       // 44
    {"DRV_CALLBACK_NUMBER", G, kShortReplyMs, true},   // 45
    {"DRV_P24", S, kShortReplyMs, true},               // 46: then a second read of 5000
    {"DRV_DATA_PARAM", G, kShortReplyMs, true},        // 47
    {"DRV_DATA_P3P4", G, kShortReplyMs, true},         // 48
    {"DRV_DATA_PN", G, kShortReplyMs, true},           // 49
    {"DRV_ISDN_C1", G, kShortReplyMs, true},           // 50
    {"DRV_ISDN_S71", G, kShortReplyMs, true},          // 51
    {"DRV_ISDN_S0", G, kShortReplyMs, true},           // 52
    {"DRV_ISDN_S1", G, kShortReplyMs, true},           // 53
    {"DRV_PORT_STATUS", G, kShortReplyMs, true},       // 54
    {"DRV_PING", S, kShortReplyMs, false},             // 55
    {"DRV_BOOT_RESET", S, kBootReplyMs, true},         // 56
    {"DRV_REOPEN", S, kSearchReplyMs, false},          // 57
    {"DRV_NOP", N, kNotUsed, false},                   // 58
    {"DRV_NOP", N, kNotUsed, false},                   // 59
    {"DRV_NOP", N, kNotUsed, false},                   // 60
    {"DRV_NOP", N, kNotUsed, false},                   // 61
    {"DRV_NOP", N, kNotUsed, false},                   // 62
    {"DRV_NOP", N, kNotUsed, false},                   // 63
    {"DRV_S99", G, kShortReplyMs, true},               // 64
    {"DRV_P25", G, kShortReplyMs, true},               // 65
    {"DRV_CURRENCY", G, kShortReplyMs, true},          // 66
}};

constexpr CommandInfo kUnknownCommand = {"", Kind::None, kNotUsed, false};

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

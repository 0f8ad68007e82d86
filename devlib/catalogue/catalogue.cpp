// The catalogue's entry points: each code is handed to its family.
#include "catalogue.h"

#include "families.h"
#include "reply_text.h"

namespace q30::catalogue {

namespace {

struct Family {
    OptionalLine (*format)(uint32_t code, const DrvCmd& rec);
    void (*parse)(uint32_t code, std::string_view reply, DrvCmd& rec);
};

constexpr Family kSwitches = {family::format_switch, family::parse_switch};
constexpr Family kDigits = {family::format_digit, family::parse_digit};
constexpr Family kTexts = {family::format_text, family::parse_text};
constexpr Family kLcrEntries = {family::format_lcr_entry, family::parse_lcr_entry};
constexpr Family kForwarding = {family::format_forwarding, family::parse_forwarding};
constexpr Family kDataPort = {family::format_data_port, family::parse_data_port};
constexpr Family kLineInfo = {family::format_line_info, family::parse_line_info};
constexpr Family kClock = {family::format_clock, family::parse_clock};
constexpr Family kCallLog = {family::format_call_log, family::parse_call_log};
constexpr Family kCharges = {family::format_charges, family::parse_charges};
constexpr Family kDialBack = {family::format_dial_back, nullptr};  // replies are not parsed

const Family* family_of(uint32_t code)
{
    switch (code) {
    case DRV_CLIP: case DRV_ACCEPT_P2: case DRV_ACCEPT_P8: case DRV_SPECIAL_RING: case DRV_FILTER_FLAG:
    case DRV_LCR_ON: case DRV_LCR_LOCAL: case DRV_LCR_ACTIVE: case DRV_LCR_RANGE_ON: case DRV_CALLBACK_ON:
        return &kSwitches;
    case DRV_ACCEPT_P9: case DRV_ACCEPT_P6: case DRV_ACCEPT_P1: case DRV_LANGUAGE:
        return &kDigits;
    case DRV_MSN: case DRV_SHORT_DIAL: case DRV_FILTER_NUMBER: case DRV_CHARGE_UNIT: case DRV_LOCAL_CODE:
    case DRV_PABX_PREFIX: case DRV_S75: case DRV_CALLBACK_NUMBER: case DRV_S99: case DRV_CURRENCY:
        return &kTexts;
    case DRV_LCR_TIME: case DRV_LCR_PREFIX: case DRV_LCR_EXCLUDED:
        return &kLcrEntries;
    case DRV_FORWARD_20: case DRV_FORWARD_21: case DRV_FORWARD_22:
        return &kForwarding;
    case DRV_DATA_PARAM: case DRV_DATA_P3P4: case DRV_DATA_PN:
        return &kDataPort;
    case DRV_ISDN_C1: case DRV_ISDN_S71: case DRV_ISDN_S0: case DRV_ISDN_S1: case DRV_PORT_STATUS:
    case DRV_P25:
        return &kLineInfo;
    case DRV_WAKEUP: case DRV_CLOCK:
        return &kClock;
    case DRV_CALL_RECORD:
        return &kCallLog;
    case DRV_CHARGES:
        return &kCharges;
    case DRV_P24: case DRV_P24_OLD:
        return &kDialBack;
    default:
        return nullptr;
    }
}

// The information texts are read without looking for "OK".
bool needs_ok(uint32_t code) { return code != DRV_ISDN_S0 && code != DRV_ISDN_S1; }

// Reads that hand their text to a caller buffer; clearing a list or
// resetting a counter needs none.
bool reads_into_caller_buffer(uint32_t code, const DrvCmd& rec)
{
    switch (code) {
    case DRV_CALL_RECORD:
    case DRV_CHARGES:
        return !family::clears(rec);
    case DRV_ISDN_S0:
    case DRV_ISDN_S1:
        return true;
    default:
        return false;
    }
}

// A control character (or DEL) in a text value could end the line early
// or smuggle in a second command.
bool has_control_character(std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

} // namespace

void prepare_record(uint32_t code, DrvCmd& rec) { family::prepare_lcr_entry(code, rec); }

FormattedLine format_command(uint32_t code, const DrvCmd& rec)
{
    const Family* family = family_of(code);
    if (family == nullptr)
        return {FormatStatus::NothingToSend, {}};
    OptionalLine line = family->format(code, rec);
    if (!line || line->empty())
        return {FormatStatus::NothingToSend, {}};

    const std::string_view withoutCr = std::string_view(*line).substr(0, line->size() - 1);
    if (has_control_character(withoutCr))
        return {FormatStatus::Refused, {}};
    if (reads_into_caller_buffer(code, rec) && !has_caller_buffer(rec))
        return {FormatStatus::Refused, {}};
    return {FormatStatus::Line, std::move(*line)};
}

void apply_reply(uint32_t code, std::string_view reply, DrvCmd& rec)
{
    rec.replied = 1;
    if (needs_ok(code) && !reply_has_ok(reply)) {
        rec.ok = 0;
        return;
    }
    rec.ok = 1;
    const Family* family = family_of(code);
    if (family != nullptr && family->parse != nullptr)
        family->parse(code, reply, rec);
}

} // namespace q30::catalogue

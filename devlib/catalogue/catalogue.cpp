// The catalogue's entry points: each code is handed to its family.
#include "catalogue.h"

#include "families.h"
#include "reply_text.h"

namespace q30::catalogue {

namespace {

struct FamilyRules {
    OptionalLine (*format)(uint32_t code, const DrvCmd& rec);
    void (*parse)(uint32_t code, std::string_view reply, DrvCmd& rec);
};

// The rules of a family; nullptr for Family::None.
const FamilyRules* rules_of(Family which)
{
    static constexpr FamilyRules kSwitches = {family::format_switch, family::parse_switch};
    static constexpr FamilyRules kDigits = {family::format_digit, family::parse_digit};
    static constexpr FamilyRules kTexts = {family::format_text, family::parse_text};
    static constexpr FamilyRules kLcrEntries = {family::format_lcr_entry, family::parse_lcr_entry};
    static constexpr FamilyRules kForwarding = {family::format_forwarding, family::parse_forwarding};
    static constexpr FamilyRules kDataPort = {family::format_data_port, family::parse_data_port};
    static constexpr FamilyRules kLineInfo = {family::format_line_info, family::parse_line_info};
    static constexpr FamilyRules kClock = {family::format_clock, family::parse_clock};
    static constexpr FamilyRules kCallLog = {family::format_call_log, family::parse_call_log};
    static constexpr FamilyRules kCharges = {family::format_charges, family::parse_charges};
    static constexpr FamilyRules kDialBack = {family::format_dial_back, nullptr};  // replies are not parsed
    switch (which) {
    case Family::Switch: return &kSwitches;
    case Family::Digit: return &kDigits;
    case Family::Text: return &kTexts;
    case Family::LcrEntry: return &kLcrEntries;
    case Family::Forwarding: return &kForwarding;
    case Family::DataPort: return &kDataPort;
    case Family::LineInfo: return &kLineInfo;
    case Family::Clock: return &kClock;
    case Family::CallLog: return &kCallLog;
    case Family::Charges: return &kCharges;
    case Family::DialBack: return &kDialBack;
    case Family::None: break;
    }
    return nullptr;
}

// Reads that hand their text to a caller buffer; clearing a list or
// resetting a counter needs none.
bool reads_into_caller_buffer(uint32_t code, const DrvCmd& rec)
{
    switch (command_info(code).callerBuffer) {
    case CallerBuffer::Always: return true;
    case CallerBuffer::WhenReading: return !family::clears(rec);
    case CallerBuffer::None: break;
    }
    return false;
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
    const FamilyRules* rules = rules_of(command_info(code).family);
    if (rules == nullptr)
        return {FormatStatus::NothingToSend, {}};
    OptionalLine line = rules->format(code, rec);
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
    const CommandInfo& info = command_info(code);
    if (info.needsOk && !reply_has_ok(reply)) {
        rec.ok = 0;
        return;
    }
    rec.ok = 1;
    const FamilyRules* rules = rules_of(info.family);
    if (rules != nullptr && rules->parse != nullptr)
        rules->parse(code, reply, rec);
}

} // namespace q30::catalogue

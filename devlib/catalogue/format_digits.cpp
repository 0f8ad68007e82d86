// Lines of the one-digit values: call acceptance registers and the device's
// display language.
#include "families.h"

namespace q30::catalogue::family {

namespace {

constexpr char kAcceptP9Query[] = "AT!P9#%d?\r";
constexpr char kAcceptP9Set[] = "AT!P9#%d=%d\r";
constexpr char kAcceptP6Query[] = "AT!P6#%d?\r";
constexpr char kAcceptP6Set[] = "AT!P6#%d=%d\r";
constexpr char kAcceptP1Query[] = "AT!V%d?\r";
constexpr char kAcceptP1Set[] = "AT!V%d=%d\r";
constexpr char kAcceptP1PortQuery[] = "AT!P1#%d?\r";
constexpr char kAcceptP1PortSet[] = "AT!P1#%d=%d\r";
constexpr char kLanguageQuery[] = "ATS91?\r";
constexpr char kLanguageSet[] = "ATS91=%c\r";

// Code 13's device form addresses one of two register groups: ports below
// 3 the first, ports 3..10 the second.
constexpr int32_t kSecondGroupFirstPort = 3;
constexpr int kFirstGroup = 0;
constexpr int kSecondGroup = 3;

int accept_p1_group(int32_t port) { return port < kSecondGroupFirstPort ? kFirstGroup : kSecondGroup; }

// The language travels as one character, "0" + value. Unsigned arithmetic
// keeps any value defined; one that lands on a control character is refused
// by the line check.
char language_char(int32_t value)
{
    const uint32_t code = static_cast<uint32_t>('0') + static_cast<uint32_t>(value);
    return static_cast<char>(static_cast<unsigned char>(code));
}

} // namespace

OptionalLine format_digit(uint32_t code, const DrvCmd& rec)
{
    const bool set = rec.op == OP_SET;
    switch (code) {
    case DRV_ACCEPT_P9:
        return set ? at_line(kAcceptP9Set, rec.port, rec.value) : at_line(kAcceptP9Query, rec.port);
    case DRV_ACCEPT_P6:
        return set ? at_line(kAcceptP6Set, rec.port, rec.value) : at_line(kAcceptP6Query, rec.port);
    case DRV_ACCEPT_P1:
        if (is_port_form(rec.port))
            return set ? at_line(kAcceptP1PortSet, rec.port, rec.value)
                       : at_line(kAcceptP1PortQuery, rec.port);
        return set ? at_line(kAcceptP1Set, accept_p1_group(rec.port), rec.value)
                   : at_line(kAcceptP1Query, accept_p1_group(rec.port));
    case DRV_LANGUAGE:
        return set ? at_line(kLanguageSet, language_char(rec.value)) : at_line(kLanguageQuery);
    default:
        return std::nullopt;
    }
}

} // namespace q30::catalogue::family

#include "registers.h"

namespace q30sim {

namespace {

constexpr int kPortMsns = 3;
constexpr int kDataPortMsns = 5;
constexpr int kDialSlots = 10;
constexpr int kLcrRows = 6;
constexpr int kExcludedRanges = 8;
constexpr unsigned kWideAcceptanceGroups = (1u << 0) | (1u << 3); // !V0 data calls, !V3 fax/answering machine

constexpr int kMaxMsnDigits = 15;
constexpr int kMaxDialDigits = 15;
constexpr int kMaxPredialDigits = 6;
constexpr int kMaxLocalCodeDigits = 6;
constexpr int kMaxPabxDigits = 3;
constexpr int kMaxInternationalDigits = 5;
constexpr int kMaxCurrencyLength = 3;
constexpr int kMaxEidDigits = 40;

using A = Addressing;
using K = ValueKind;

constexpr ValueRule kSwitch{K::Switch};
constexpr ValueRule kMsn{K::Digits, 0, kMaxMsnDigits};
constexpr ValueRule kDial{K::DialString, 0, kMaxDialDigits};
constexpr ValueRule kAcceptance{K::Number, 0, 2};

const RegisterInfo kRegisters[] = {
    // MSNs and caller-number presentation
    {{"!N", A::Index, mask_below(kDataPortMsns)}, kMsn, ""},
    {{"!P0", A::PortIndex, mask_below(kPortMsns)}, kMsn, ""},
    {{"%A5", A::None}, kSwitch, "0"},
    {{"!P17", A::Port}, kSwitch, "0"},
    // call acceptance
    {{"!V", A::Index, kWideAcceptanceGroups}, kAcceptance, "2"},
    {{"!P1", A::Port}, kAcceptance, "2"},
    {{"!P6", A::Port}, {K::Number, 0, 2}, "1"},
    {{"!P9", A::Port}, {K::Number, 0, 9}, "0"},
    {{"!P2", A::Port}, kSwitch, "1"},
    {{"!P8", A::Port}, kSwitch, "1"},
    // short dial and special ring
    {{"!P11", A::Port}, kSwitch, "0"},
    {{"!P10", A::PortIndex, mask_below(kDialSlots)}, kDial, ""},
    // call filter
    {{"\\E", A::None}, kSwitch, "0"},
    {{"!P13", A::Port}, kSwitch, "0"},
    {{"\\F", A::Index, mask_below(kDialSlots)}, kDial, ""},
    {{"!P12", A::PortIndex, mask_below(kDialSlots)}, kDial, ""},
    // morning call
    {{"!P19", A::Port}, kSwitch, "0"},
    {{"!P18", A::Port}, {K::TimeOfDay}, "07:00"},
    // least cost routing
    {{"&P", A::None}, kSwitch, "0"},
    {{"\\D", A::GroupRow, mask_below(kLcrRows)}, {K::HourRange}, ""},
    {{"\\P", A::GroupRow, mask_below(kLcrRows)}, {K::Digits, 0, kMaxPredialDigits}, ""},
    {{"&L", A::GroupRow, mask_below(kLcrRows)}, kSwitch, "0"},
    {{"&R", A::GroupRow, mask_below(kLcrRows)}, kSwitch, "0"},
    {{"\\N", A::GroupRow, mask_below(kExcludedRanges)}, {K::NumberRange}, ""},
    {{"&N", A::GroupRow, mask_below(kExcludedRanges)}, kSwitch, "0"},
    // data callback
    {{"\\A", A::None}, kSwitch, "0"},
    {{"\\B", A::Index, mask_below(kDialSlots)}, {K::Digits, 0, kMaxDialDigits}, ""},
    // device-wide S registers
    {{"S91", A::None}, {K::Number, 0, 2}, "0"},
    {{"S95", A::None}, {K::ChargeRate}, "0,12"},
    {{"S76", A::None}, {K::Digits, 0, kMaxLocalCodeDigits}, ""},
    {{"S78", A::None}, {K::Digits, 0, kMaxPabxDigits}, ""},
    {{"S75", A::None}, {K::Digits, 0, kMaxInternationalDigits}, "00"},
    {{"S96", A::None}, {K::Text, 0, kMaxCurrencyLength}, "DM"},
    // data port
    {{"%A2", A::None}, {K::ProtocolCode}, "95"},
    {{"%A0", A::None}, kSwitch, "0"},
    {{"%P0", A::None}, kSwitch, "0"},
    {{"%X1", A::None}, kSwitch, "0"},
    {{"%P1", A::None}, kSwitch, "0"},
    {{"%P6", A::None}, kSwitch, "0"},
    {{"%E9", A::None}, kSwitch, "1"},
    {{"%E0", A::None}, {K::Number, 128, 256}, "256"},
    {{"%X0", A::None}, {K::Number, 1, 2048}, "2048"},
    {{"!H0", A::None}, {K::Number, 1, 2048}, "2048"},
    {{"%P3", A::None}, {K::Number, 0, 5}, "0"},
    {{"%P4", A::None}, {K::HexText, 0, kMaxEidDigits}, ""},
    {{"%P5", A::None}, {K::Number, 0, 255}, "0"},
    {{"%P7", A::None}, {K::Number, 0, 64}, "45"},
    {{"%P8", A::None}, {K::Number, 1, 60}, "2"},
    {{"%P9", A::None}, {K::Number, 0, 64}, "30"},
    {{"%P10", A::None}, {K::Number, 1, 60}, "2"},
    // per-port value without a page of its own
    {{"!P25", A::Port}, {K::Number, 0, 255}, "0"},
};

} // namespace

std::span<const RegisterInfo> register_table()
{
    return kRegisters;
}

const RegisterInfo* find_register(const AtCommand& cmd, Model model, Address& address, ShapeMatch& match)
{
    for (const RegisterInfo& reg : kRegisters) {
        match = match_shape(reg.shape, cmd, model, address);
        if (match == ShapeMatch::Yes)
            return &reg;
        if (match == ShapeMatch::BadAddress)
            return nullptr;
    }
    match = ShapeMatch::No;
    return nullptr;
}

} // namespace q30sim

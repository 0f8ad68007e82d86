#include "data_port_parameters.h"

#include <array>

namespace q30::catalogue::data_port {

namespace {

// Protocol number -> the device's code for it, in both directions.
constexpr std::array<int32_t, 8> kProtocolCodes = {95, 2, 1, 5, 3, 4, 92, 90};
constexpr std::array<std::string_view, 8> kProtocolCodeTexts = {"95", "2", "1", "5", "3", "4", "92", "90"};

constexpr int32_t kProtocolP0 = 0;
constexpr int32_t kProtocolE0 = 1;
constexpr int32_t kFirstX75Protocol = 3;
constexpr int32_t kLastX75Protocol = 5;
constexpr int32_t kProtocolH0 = 6;

bool is_x75(int32_t protocol) { return protocol >= kFirstX75Protocol && protocol <= kLastX75Protocol; }

} // namespace

std::optional<std::string_view> register_name(int32_t parameter, int32_t protocol)
{
    switch (parameter) {
    case kProtocol: return "%A2";
    case kParameter1: return "%A0";
    case kParameter2:
        if (protocol == kProtocolP0)
            return "%P0";
        if (is_x75(protocol))
            return "%X1";
        return std::nullopt;
    case kParameter3: return "%P1";
    case kParameter4: return "%P6";
    case kInvertedSwitch: return "%E9";
    case kNumericParameter:
        if (protocol == kProtocolE0)
            return "%E0";
        if (is_x75(protocol))
            return "%X0";
        if (protocol == kProtocolH0)
            return "!H0";
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<std::string_view> protocol_code(int32_t protocol)
{
    if (protocol < 0 || protocol >= static_cast<int32_t>(kProtocolCodeTexts.size()))
        return std::nullopt;
    return kProtocolCodeTexts[static_cast<std::size_t>(protocol)];
}

int32_t protocol_from_code(int32_t code)
{
    for (std::size_t protocol = 0; protocol < kProtocolCodes.size(); ++protocol) {
        if (kProtocolCodes[protocol] == code)
            return static_cast<int32_t>(protocol);
    }
    return code;
}

} // namespace q30::catalogue::data_port

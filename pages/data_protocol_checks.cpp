#include "pages/data_protocol_checks.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace quillon::data_protocol {

namespace {

constexpr std::size_t kMaxLocalAddressDigits = 20;
constexpr std::size_t kMaxTaNumberDigits = 15;
constexpr std::size_t kMacDigits = 12;
constexpr std::size_t kIpDigits = 12;      // four groups of three without dots
constexpr std::size_t kIpGroupDigits = 3;
constexpr long kMaxIpPart = 255;
constexpr std::size_t kIpDots = 3;
constexpr std::size_t kMagicGroup = 8;     // hex digits between two dashes
constexpr std::size_t kMaxMagicDigits = 40;
constexpr std::size_t kMaxMagicDashes = kMaxMagicDigits / kMagicGroup - 1;
constexpr std::size_t kMaxMagicLength = kMaxMagicDigits + kMaxMagicDashes;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool all_digits(std::string_view t) { return std::all_of(t.begin(), t.end(), is_digit); }
bool all_hex(std::string_view t) { return std::all_of(t.begin(), t.end(), is_hex); }

// A dash of a magic number block stands after every eighth digit.
bool dash_place(std::size_t position) { return position % (kMagicGroup + 1) == kMagicGroup; }

std::vector<std::string_view> split_at_dots(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', start)) {
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool ip_part_ok(std::string_view part, bool mayBeEmpty)
{
    if (part.empty())
        return mayBeEmpty;
    return part.size() <= kIpGroupDigits && all_digits(part) && *decimal_value(part) <= kMaxIpPart;
}

// Digits without dots, read in groups of three; the last group may be short.
bool ip_groups_ok(std::string_view digits)
{
    for (std::size_t i = 0; i < digits.size(); i += kIpGroupDigits)
        if (!ip_part_ok(digits.substr(i, kIpGroupDigits), false))
            return false;
    return true;
}

bool typed_ip_ok(std::string_view text)
{
    if (text.find_first_not_of("0123456789.") != std::string_view::npos)
        return false;
    const std::vector<std::string_view> parts = split_at_dots(text);
    if (parts.size() == 1)
        return text.size() <= kIpDigits && ip_groups_ok(text);
    if (parts.size() > kIpDots + 1)
        return false;
    // The part being typed (the last) may still be empty.
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!ip_part_ok(parts[i], i + 1 == parts.size()))
            return false;
    return true;
}

bool typed_magic_ok(std::string_view text)
{
    if (text.size() > kMaxMagicLength)
        return false;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '-' && dash_place(i))
            continue;
        if (!is_hex(text[i]))
            return false;
        ++digits;
    }
    return digits <= kMaxMagicDigits;
}

int check_digits(std::string_view text, std::size_t maxDigits, int tooLong)
{
    if (!all_digits(text))
        return kOnlyDigits;
    return text.size() > maxDigits ? tooLong : kNoProblem;
}

EidConversion ip_device_form(std::string_view display)
{
    const EidConversion bad{{}, kBadIpAddress};
    if (display.find('.') == std::string_view::npos) {
        if (display.size() != kIpDigits || !all_digits(display) || !ip_groups_ok(display))
            return bad;
        return {std::string(display), kNoProblem};
    }
    const std::vector<std::string_view> parts = split_at_dots(display);
    if (parts.size() != kIpDots + 1)
        return bad;
    std::string device;
    for (std::string_view part : parts) {
        if (!ip_part_ok(part, false))
            return bad;
        char group[8];
        std::snprintf(group, sizeof group, "%03ld", *decimal_value(part));
        device += group;
    }
    return {device, kNoProblem};
}

EidConversion magic_device_form(std::string_view display)
{
    const EidConversion bad{{}, kBadMagicNumberBlock};
    if (display.find('-') == std::string_view::npos) {
        if (display.empty() || display.size() % kMagicGroup != 0 || display.size() > kMaxMagicDigits ||
            !all_hex(display))
            return bad;
        return {std::string(display), kNoProblem};
    }
    if (display.size() > kMaxMagicLength || display.size() % (kMagicGroup + 1) != kMagicGroup)
        return bad;
    std::string device;
    for (std::size_t i = 0; i < display.size(); ++i) {
        if (dash_place(i) != (display[i] == '-'))
            return bad;
        if (display[i] == '-')
            continue;
        if (!is_hex(display[i]))
            return bad;
        device += display[i];
    }
    return {device, kNoProblem};
}

} // namespace

std::optional<long> decimal_value(std::string_view text)
{
    if (text.empty() || !all_digits(text))
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value >= kHugeNumber)
            return kHugeNumber;
    }
    return value;
}

int check_typed_eid(int eidClass, std::string_view text)
{
    if (text.empty())
        return kNoProblem;
    switch (eidClass) {
    case kEidLocalAddress:
        return check_digits(text, kMaxLocalAddressDigits, kLocalAddressTooLong);
    case kEidIpAddress:
        return typed_ip_ok(text) ? kNoProblem : kBadIpAddress;
    case kEidMacAddress:
        if (!all_hex(text))
            return kOnlyHexDigits;
        return text.size() > kMacDigits ? kBadMacAddress : kNoProblem;
    case kEidMagicNumbers:
        return typed_magic_ok(text) ? kNoProblem : kBadMagicNumberBlock;
    case kEidTaNumber:
        return check_digits(text, kMaxTaNumberDigits, kTaNumberTooLong);
    default:
        return kNoProblem;
    }
}

EidConversion eid_device_form(int eidClass, std::string_view display)
{
    switch (eidClass) {
    case kEidIpAddress:
        return ip_device_form(display);
    case kEidMacAddress:
        if (int problem = check_typed_eid(eidClass, display); problem != kNoProblem)
            return {{}, problem};
        if (display.size() != kMacDigits)
            return {{}, kBadMacAddress};
        return {std::string(display), kNoProblem};
    case kEidMagicNumbers:
        return magic_device_form(display);
    default:
        // A text that could not be typed is not sent either.
        if (int problem = check_typed_eid(eidClass, display); problem != kNoProblem)
            return {{}, problem};
        return {std::string(display), kNoProblem};
    }
}

std::string eid_display_form(int eidClass, std::string_view deviceForm)
{
    if (eidClass == kEidIpAddress && deviceForm.size() == kIpDigits && all_digits(deviceForm)) {
        std::string display;
        for (std::size_t i = 0; i < kIpDigits; i += kIpGroupDigits) {
            if (!display.empty())
                display += '.';
            display += std::to_string(*decimal_value(deviceForm.substr(i, kIpGroupDigits)));
        }
        return display;
    }
    if (eidClass == kEidMagicNumbers && all_hex(deviceForm)) {
        std::string display;
        for (std::size_t i = 0; i < deviceForm.size(); i += kMagicGroup) {
            if (!display.empty())
                display += '-';
            display += deviceForm.substr(i, kMagicGroup);
        }
        return display;
    }
    return std::string(deviceForm);
}

const FrameSizeRule& frame_size_rule(FrameKind kind)
{
    static constexpr std::array<FrameSizeRule, 3> kRules = {{
        {128, 256, 256, kV120SizeOutOfRange, false},
        {1, 2048, 2048, kX75SizeOutOfRange, true},
        {1, 2048, 2048, kHdlcSizeOutOfRange, true},
    }};
    return kRules[static_cast<std::size_t>(kind)];
}

bool frame_size_in_range(FrameKind kind, long size)
{
    const FrameSizeRule& rule = frame_size_rule(kind);
    return size >= rule.low && size <= rule.high;
}

int check_typed_frame_size(FrameKind kind, std::string_view text)
{
    if (text.empty())
        return kNoProblem;
    const std::optional<long> size = decimal_value(text);
    if (!size)
        return kOnlyDigits;
    const FrameSizeRule& rule = frame_size_rule(kind);
    if (*size > rule.high || (rule.lowCheckedWhileTyping && *size < rule.low))
        return rule.message;
    return kNoProblem;
}

const BodRule& bod_rule(BodKind kind)
{
    static constexpr std::array<BodRule, 2> kRules = {{
        {0, 64, kWaterOutOfRange},
        {1, 60, kDurationOutOfRange},
    }};
    return kRules[static_cast<std::size_t>(kind)];
}

int check_typed_bod(BodKind kind, std::string_view text)
{
    if (text.empty())
        return kNoProblem;
    const std::optional<long> value = decimal_value(text);
    if (!value)
        return kOnlyDigits;
    const BodRule& rule = bod_rule(kind);
    return *value < rule.low || *value > rule.high ? rule.message : kNoProblem;
}

} // namespace quillon::data_protocol

#include "pages/destination.h"

#include <algorithm>

namespace quillon {

namespace {

bool all_digits(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int port_code(std::string_view digits)
{
    for (int i = 0; i < kMaxPorts; ++i)
        if (digits == std::to_string(kPortNumbers[static_cast<std::size_t>(i)]))
            return DEST_PORT_CODE + i;
    return DEST_INVALID;
}

} // namespace

int ClassifyDestination(std::string_view text, const PortNames& aliases)
{
    const std::size_t n = text.size();
    if (n == 0)
        return DEST_EXTERNAL;
    if (n > kMaxDestinationChars)
        return DEST_INVALID;
    for (int i = 0; i < kMaxPorts; ++i) {
        const std::string& alias = aliases[static_cast<std::size_t>(i)];
        if (alias.size() >= n && std::string_view(alias).substr(0, n) == text)
            return alias.size() == n ? DEST_PORT_NAME + i : DEST_INCOMPLETE;
    }
    if (text.front() == '*') {
        if (n == 1)
            return DEST_INCOMPLETE;
        if (n == 2)
            return text[1] >= '1' && text[1] <= '3' ? DEST_INCOMPLETE : DEST_INVALID;
        return n == 3 ? port_code(text.substr(1)) : DEST_INVALID;
    }
    return all_digits(text) ? DEST_EXTERNAL : DEST_INVALID;
}

int destination_port(int classification)
{
    if (classification >= DEST_PORT_NAME && classification < DEST_PORT_NAME + kMaxPorts)
        return classification - DEST_PORT_NAME;
    if (classification >= DEST_PORT_CODE && classification < DEST_PORT_CODE + kMaxPorts)
        return classification - DEST_PORT_CODE;
    return -1;
}

std::string destination_display_text(const std::string& deviceForm, const PortNames& aliases)
{
    const int c = ClassifyDestination(deviceForm, aliases);
    return c >= DEST_PORT_CODE ? aliases[static_cast<std::size_t>(c - DEST_PORT_CODE)] : deviceForm;
}

std::string destination_device_form(const std::string& displayText, const PortNames& aliases)
{
    const int c = ClassifyDestination(displayText, aliases);
    if (c >= DEST_PORT_NAME && c < DEST_PORT_CODE)
        return "*" + std::to_string(kPortNumbers[static_cast<std::size_t>(c - DEST_PORT_NAME)]);
    return displayText;
}

} // namespace quillon

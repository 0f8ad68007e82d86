#include "pages/isdn_info_texts.h"

#include "shell/device_text.h"

namespace quillon {

namespace {

constexpr int kNormalEnd = 0;
constexpr int kModelQ20 = 20;
constexpr int kModelQ30 = 30;

} // namespace

int line_state_text_base(int lineState)
{
    if (lineState < 0 || lineState >= kLineStateCount)
        return kUnknownLineStateText;
    return kLineStateTextBase + kLineStateTextStep * lineState;
}

std::string line_state_number_suffix(int lineState) { return " ( " + std::to_string(lineState) + " )"; }

std::string last_cause_text(int cause)
{
    const std::string number = "(" + std::to_string(cause) + ")";
    return cause == kNormalEnd ? "ok " + number : number;
}

std::string model_with_order_number(int modelNumber, bool usb)
{
    if (modelNumber == kModelQ20)
        return "VornISDN Q20  KLM-220S";
    if (modelNumber == kModelQ30)
        return usb ? "VornISDN Q30-USB KLM-230S-USB" : "VornISDN Q30 KLM-230S";
    return "????";
}

std::string versions_text(std::string_view firmware, std::string_view bootCode)
{
    return std::string(firmware) + " BOOT CODE " + std::string(bootCode);
}

std::string device_lines_text(std::string_view deviceText)
{
    std::string out;
    for (char c : from_device_text(deviceText)) {
        if (c == '\r')
            continue;
        out += c;
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    // The device's first line starts right after the reply's CR LF.
    std::size_t first = out.find_first_not_of('\n');
    return first == std::string::npos ? std::string() : out.substr(first);
}

} // namespace quillon

#include "device_answers.h"

#include <algorithm>

#include "q30com32/command_codes.h"
#include "reply_text.h"

namespace q30::answers {

namespace {

// The three digits of the order numbers KLM-230S and KLM-220S.
constexpr std::string_view kQ30OrderDigits = "230";
constexpr std::string_view kQ20OrderDigits = "220";
constexpr std::string_view kUsbMark = "USB";
constexpr std::string_view kBootCodeMark = "CODE";
constexpr std::size_t kBootCodeSkip = 5;  // "CODE" and one separator
constexpr std::string_view kCallIdle = "0";
constexpr std::string_view kSuccessMark = "ESSFUL";  // the end of the word for success
constexpr std::string_view kFailMark = "FAIL";

constexpr int kVerdictSuccess = 3;
constexpr int kVerdictFailure = 2;
constexpr int kVerdictNone = 1;

bool contains(std::string_view text, std::string_view what)
{
    return text.find(what) != std::string_view::npos;
}

std::string_view up_to_line_end(std::string_view s)
{
    return s.substr(0, std::min(s.find_first_of("\r\n"), s.size()));
}

std::string bounded(std::string_view s, std::size_t capacity)
{
    return std::string(s.substr(0, std::min(s.size(), capacity)));
}

} // namespace

OrderNumber read_order_number(std::string_view reply)
{
    if (contains(reply, kQ30OrderDigits))
        return {kModelQ30, contains(reply, kUsbMark) ? 1 : 0};
    if (contains(reply, kQ20OrderDigits))
        return {kModelQ20, std::nullopt};
    return {kModelUnknown, std::nullopt};
}

Versions read_versions(std::string_view reply, std::size_t firmwareCapacity, std::size_t bootCodeCapacity)
{
    const std::string_view versions = catalogue::reply_content(reply);
    Versions out;
    out.firmware = bounded(up_to_line_end(versions), firmwareCapacity);
    const std::size_t mark = versions.find(kBootCodeMark);
    const std::size_t start = mark == std::string_view::npos ? versions.size() : mark + kBootCodeSkip;
    if (start < versions.size())
        out.bootCode = bounded(up_to_line_end(versions.substr(start)), bootCodeCapacity);
    return out;
}

int read_call_check(std::string_view reply) { return contains(reply, kCallIdle) ? 1 : 0; }

int read_download_verdict(std::string_view reply)
{
    if (contains(reply, kSuccessMark))
        return kVerdictSuccess;
    if (contains(reply, kFailMark))
        return kVerdictFailure;
    return kVerdictNone;
}

bool boot_loader_waiting(std::string_view reply) { return contains(reply, kFailMark); }

} // namespace q30::answers

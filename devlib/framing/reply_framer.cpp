#include "reply_framer.h"

#include <array>

namespace q30 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kBackspace = '\b';

// The final result codes the device uses in its verbose form.
constexpr std::array<std::string_view, 7> kFinalCodes = {
    "OK", "ERROR", "NO CARRIER", "BUSY", "NO ANSWER", "NO DIALTONE", "NO DIAL TONE",
};

constexpr std::size_t longest_final_line()
{
    std::size_t longest = 0;
    for (std::string_view code : kFinalCodes)
        longest = code.size() > longest ? code.size() : longest;
    return longest + 2 * kLineEnd.size();
}

constexpr std::size_t kTailSize = longest_final_line();

} // namespace

const char* ending_name(ReplyEnding ending)
{
    switch (ending) {
    case ReplyEnding::FinalCode: return "final code";
    case ReplyEnding::QuietGap: return "quiet gap";
    case ReplyEnding::TimeOut: return "time-out";
    case ReplyEnding::Bound: return "bound";
    case ReplyEnding::LineDead: return "line dead";
    }
    return "?";
}

bool ends_with_final_code(std::string_view text)
{
    if (!text.ends_with(kLineEnd))
        return false;
    text.remove_suffix(kLineEnd.size());
    for (std::string_view code : kFinalCodes) {
        if (text.size() < code.size() + kLineEnd.size() || !text.ends_with(code))
            continue;
        if (text.substr(0, text.size() - code.size()).ends_with(kLineEnd))
            return true;
    }
    return false;
}

bool ReplyFramer::byte_completes(char c)
{
    tail_ += c;
    if (tail_.size() > kTailSize)
        tail_.erase(0, tail_.size() - kTailSize);
    if (c == kBackspace) {
        sawBackspace_ = true;
        // A final code inside the text before the backspace is text, not an end.
        tail_.clear();
        return false;
    }
    if (c != '\n')
        return false;
    switch (rule_) {
    case ReplyEnd::FinalCode: return ends_with_final_code(tail_);
    case ReplyEnd::Backspace: return sawBackspace_ && ends_with_final_code(tail_);
    case ReplyEnd::QuietGap: return false;
    }
    return false;
}

std::size_t ReplyFramer::feed(std::string_view bytes)
{
    if (complete_)
        return 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (byte_completes(bytes[i])) {
            complete_ = true;
            return i + 1;
        }
    }
    return bytes.size();
}

} // namespace q30

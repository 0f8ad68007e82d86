// Fuzzes the reply framer: however the bytes are split into pieces, the reply
// ends at the same place, right after the first final code line the rule
// lets end it.
//
// Input: byte 0 picks the rule, byte 1 seeds the piece sizes, the rest is
// what the device sent.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "reply_framer.h"

namespace {

void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// Bytes the reply took, or text.size() + 1 when it never completed.
std::size_t end_of_reply(q30::ReplyEnd rule, std::string_view text, uint8_t seed)
{
    q30::ReplyFramer framer(rule);
    std::size_t taken = 0;
    std::size_t at = 0;
    unsigned state = seed;
    while (at < text.size()) {
        state = state * 1103515245u + 12345u;
        const std::size_t piece = seed == 0 ? text.size() : 1 + (state >> 16) % 17;
        const std::string_view part = text.substr(at, piece);
        const std::size_t used = framer.feed(part);
        check(used <= part.size());
        taken += used;
        if (framer.complete())
            return taken;
        check(used == part.size());
        at += part.size();
    }
    return text.size() + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const auto rule = static_cast<q30::ReplyEnd>(data[0] % 3);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::size_t whole = end_of_reply(rule, text, 0);
    check(end_of_reply(rule, text, data[1]) == whole);
    check(end_of_reply(rule, text, 1) == whole);
    if (rule == q30::ReplyEnd::QuietGap)
        check(whole == text.size() + 1);
    if (whole <= text.size())
        check(q30::ends_with_final_code(text.substr(0, whole)));
    // With the final code rule the reply ends at the first final code line.
    constexpr std::size_t kScanLimit = 300;
    if (rule == q30::ReplyEnd::FinalCode && text.size() <= kScanLimit) {
        std::size_t first = text.size() + 1;
        for (std::size_t n = 1; n <= text.size() && first > text.size(); ++n)
            if (q30::ends_with_final_code(text.substr(0, n)))
                first = n;
        check(first == whole);
    }
    return 0;
}

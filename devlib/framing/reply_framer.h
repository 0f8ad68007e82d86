// Where one reply of the device ends. Pure: bytes in, an end position out,
// so the rule is unit tested and fuzzed without a serial port.
//
// With echo off and verbose result codes a reply ends with a final result
// code line (CR LF "OK" CR LF, CR LF "ERROR" CR LF, ...). Some replies carry
// no final code by design; they end when the line falls quiet.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace q30 {

// How a reply is recognised as complete.
enum class ReplyEnd {
    FinalCode,  // at the first final result code line
    Backspace,  // a text closed by a backspace, then a final code (else silence)
    QuietGap,   // only when the line falls quiet
};

// How a read of one reply ended.
enum class ReplyEnding {
    FinalCode,  // the reply's own end was recognised
    QuietGap,   // the line fell quiet after some bytes
    TimeOut,    // nothing arrived within the reply time-out
    Bound,      // the device kept sending past the read's time bound
    LineDead,   // the port hung up or failed
};

// A word for the trace: "final code", "quiet gap", ...
const char* ending_name(ReplyEnding ending);

// True when `text` ends with a final result code line.
bool ends_with_final_code(std::string_view text);

class ReplyFramer {
public:
    explicit ReplyFramer(ReplyEnd rule) : rule_(rule) {}

    // Takes the next received bytes. Returns how many of them belong to the
    // reply: all of them while it is incomplete, fewer when it completes
    // inside `bytes` (the rest follows the reply).
    std::size_t feed(std::string_view bytes);
    bool complete() const { return complete_; }
    ReplyEnd rule() const { return rule_; }

private:
    bool byte_completes(char c);

    ReplyEnd rule_;
    bool complete_ = false;
    bool sawBackspace_ = false;
    std::string tail_;  // the last bytes, as long as the longest final code line
};

} // namespace q30

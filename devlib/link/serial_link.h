// The serial port the library talks to the device through: one at a time,
// blocking transfers, a reply is complete when the line has been quiet for
// the quiet gap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "trace.h"

namespace q30 {

// The line speeds the library uses, and the quiet gap that goes with each.
struct SpeedSetting {
    int selector;
    int baud;
    int quietGapMs;
};
// The setting of a selector (1, 2 or 6), or nullptr for any other value.
const SpeedSetting* speed_setting(int selector);

enum class OpenError {
    None,
    NotFound,          // no such device node
    PermissionDenied,  // the user may not open it
    Busy,              // another program holds it
    NotATerminal,      // it exists but is no serial port
    Other,
};

class SerialLink {
public:
    static constexpr int kDefaultReplyTimeoutMs = 500;
    static constexpr int kDefaultQuietGapMs = 50;

    explicit SerialLink(Trace& trace) : trace_(trace) {}
    ~SerialLink() { close(); }
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens the device node exclusively. `comIndex` only names the port in
    // the trace. A port already held elsewhere counts as failing to open.
    bool open(const std::string& path, int comIndex, OpenError* why = nullptr);
    bool is_open() const { return fd_ >= 0; }

    // Raw 8N1 at the selector's speed with hardware flow control where the
    // node supports it; sets the quiet gap and the reply time-out.
    bool configure(int selector);

    void set_reply_timeout(int ms) { replyTimeoutMs_ = ms; }
    int reply_timeout() const { return replyTimeoutMs_; }
    int quiet_gap() const { return quietGapMs_; }

    // Writes all bytes (partial writes and interruptions handled).
    void write_text(std::string_view s);
    void write_raw(const void* data, std::size_t count);

    // Reads one reply into `buf` (capacity `cap` >= 1, always terminated).
    // Returns 0 when at least one byte arrived, -2 when none did within the
    // reply time-out. Bytes beyond the capacity are read and dropped until
    // the line is quiet.
    int read_reply(char* buf, std::size_t cap);

    void set_dtr(bool on);
    void close();

private:
    enum class Wait { Data, Quiet, Dead };
    Wait wait_readable(int timeoutMs);
    void write_all(const char* p, std::size_t n);

    Trace& trace_;
    int fd_ = -1;
    int comIndex_ = -1;
    int replyTimeoutMs_ = kDefaultReplyTimeoutMs;
    int quietGapMs_ = kDefaultQuietGapMs;
};

} // namespace q30

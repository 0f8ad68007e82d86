// The serial port the library talks to the device through: one at a time,
// blocking transfers. A reply is complete at its final result code, or when
// the line has been quiet for the quiet gap; every read has a time bound.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link_latency.h"
#include "q30com32/port_open.h"
#include "reply_framer.h"
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

class SerialLink {
public:
    static constexpr int kDefaultReplyTimeoutMs = 500;
    static constexpr int kDefaultQuietGapMs = 50;

    explicit SerialLink(Trace& trace) : trace_(trace) {}
    ~SerialLink() { close(); }
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens the device node exclusively, releasing a port held before.
    // `comIndex` only names the port in the trace. A port already held
    // elsewhere counts as failing to open. Takes the link latency the
    // environment names for as long as the port stays open.
    bool open(const std::string& path, int comIndex, OpenError* why = nullptr);
    bool is_open() const { return fd_ >= 0; }

    // Raw 8N1 at the selector's speed with hardware flow control where the
    // node supports it; sets the quiet gap and the reply time-out (each
    // lengthened by the link latency).
    bool configure(int selector);

    // The wait for a reply's first byte: `ms` plus the link latency.
    void set_reply_timeout(int ms) { replyTimeoutMs_ = ms + latencyMs_; }
    int reply_timeout() const { return replyTimeoutMs_; }
    int quiet_gap() const { return quietGapMs_; }

    // Writes a command line (partial writes and interruptions handled).
    // Input that arrived before it is no part of its answer and is dropped
    // first; after a failed exchange the line must also fall quiet first.
    void write_text(std::string_view s);
    // Writes raw bytes as they are (firmware blocks): nothing is dropped.
    void write_raw(const void* data, std::size_t count);

    // Reads one reply into `buf` (capacity `cap` >= 1, always terminated).
    // Returns 0 when at least one byte arrived, -2 when none did within the
    // reply time-out. The reply ends as `rule` says, at the latest when the
    // line has been quiet for the quiet gap, and in any case within
    // read_bound_ms(cap). Bytes beyond the capacity are dropped.
    int read_reply(char* buf, std::size_t cap, ReplyEnd rule = ReplyEnd::QuietGap);
    ReplyEnding last_ending() const { return lastEnding_; }
    // The longest a read into `cap` bytes may take at the current speed and
    // reply time-out, whatever the device sends.
    int read_bound_ms(std::size_t cap) const;

    // Whether a late answer may still be on its way (the last exchange did
    // not end cleanly): the next line first waits for the line to fall quiet.
    bool out_of_step() const { return outOfStep_; }
    // The longest the next line waits for quiet when the line keeps sending.
    int resync_bound_ms() const;
    // The last exchange was only meant to clear the line; its failure leaves
    // nothing to wait for.
    void forgive_failure() { outOfStep_ = false; }

    void set_dtr(bool on);
    // Sees every DTR change asked for (a pseudo-terminal has no modem lines to show them).
    void observe_dtr(std::function<void(bool on)> observer) { dtrObserver_ = std::move(observer); }
    void close();

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Data, Quiet, Dead };
    Wait wait_readable(int timeoutMs);
    void write_all(const char* p, std::size_t n);

    // Reads what is waiting without blocking and drops it; keeps the start for the trace.
    std::size_t drop_pending(std::string& sample);
    void discard_stale_input();
    void wait_until_quiet(std::string& sample, std::size_t& count);
    void reset_exchange_state();
    void note_read(const char* buf, std::size_t stored, bool any, ReplyEnding ending);

    Trace& trace_;
    int fd_ = -1;
    int comIndex_ = -1;
    int baud_ = 0;
    int replyTimeoutMs_ = kDefaultReplyTimeoutMs;
    int quietGapMs_ = kDefaultQuietGapMs;
    int latencyMs_ = 0;
    ReplyEnding lastEnding_ = ReplyEnding::TimeOut;

    // Out of step: quiet needed for `resyncMs_`, counted from `lastNoise_`.
    bool outOfStep_ = false;
    int resyncMs_ = 0;
    Clock::time_point lastNoise_{};
    // Bytes read after the end of a reply, kept for the next read.
    std::string carry_;
    std::function<void(bool)> dtrObserver_;
};

} // namespace q30

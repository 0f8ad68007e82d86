#include "serial_link.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace q30 {

namespace {

constexpr SpeedSetting kSpeeds[] = {
    {1, 115200, 10},
    {2, 57600, 20},
    {6, 19200, 30},
};

constexpr int kDtrAttempts = 5;
constexpr int kBitsPerByte = 10;       // start bit, 8 data bits, stop bit
constexpr int kSlowestBaud = 19200;    // assumed before the port is configured
constexpr int kBoundMarginMs = 100;
// While a reply overflows its buffer or the line floods, bytes are dropped
// in batches at this pace rather than one wake-up per byte.
constexpr std::chrono::milliseconds kDropPause{5};
constexpr std::size_t kReadChunk = 4096;
// A drop reads at most this much, then flushes the rest unread.
constexpr std::size_t kMaxDropRead = 64 * 1024;
constexpr std::size_t kTraceSample = 200;

speed_t baud_constant(int baud)
{
    switch (baud) {
    case 115200: return B115200;
    case 57600: return B57600;
    default: return B19200;
    }
}

int elapsed_ms(std::chrono::steady_clock::time_point since)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - since)
                                .count());
}

int ms_until(std::chrono::steady_clock::time_point when)
{
    return -elapsed_ms(when);
}

void append_sample(std::string& sample, std::string_view bytes)
{
    if (sample.size() < kTraceSample)
        sample.append(bytes.substr(0, kTraceSample - sample.size()));
}

} // namespace

const SpeedSetting* speed_setting(int selector)
{
    for (const auto& s : kSpeeds)
        if (s.selector == selector)
            return &s;
    return nullptr;
}

bool SerialLink::open(const std::string& path, int comIndex, OpenError* why)
{
    // A port held before is released, so that reopening the same node
    // (or its replacement behind the same path) cannot find it locked by us.
    close();
    trace_.refresh_from_environment();
    const LinkLatency latency = link_latency_from_environment();
    if (!latency.problem.empty())
        trace_.note(comIndex, latency.problem);
    const int fd = open_serial_port(path, why);
    if (fd < 0)
        return false;
    fd_ = fd;
    comIndex_ = comIndex;
    latencyMs_ = latency.ms;
    reset_exchange_state();
    trace_.note(comIndex_, "open " + path +
                               (latencyMs_ > 0 ? " (link latency " + std::to_string(latencyMs_) + " ms)" : ""));
    return true;
}

void SerialLink::reset_exchange_state()
{
    outOfStep_ = false;
    carry_.clear();
    lastEnding_ = ReplyEnding::TimeOut;
}

bool SerialLink::configure(int selector)
{
    if (fd_ < 0)
        return false;
    const SpeedSetting* speed = speed_setting(selector);
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) {
        close();
        return false;
    }
    if (!speed)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CREAD | CLOCAL | CRTSCTS;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, baud_constant(speed->baud));
    cfsetospeed(&tio, baud_constant(speed->baud));
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
        // Some nodes (a pseudo-terminal among them) refuse flow control:
        // go on without it.
        tio.c_cflag &= ~CRTSCTS;
        if (tcsetattr(fd_, TCSANOW, &tio) != 0)
            return false;
    }
    baud_ = speed->baud;
    quietGapMs_ = speed->quietGapMs + latencyMs_;
    set_reply_timeout(speed->quietGapMs);
    trace_.note(comIndex_, "speed " + std::to_string(speed->baud));
    return true;
}

SerialLink::Wait SerialLink::wait_readable(int timeoutMs)
{
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        int left = timeoutMs - elapsed_ms(start);
        int n = ::poll(&p, 1, left < 0 ? 0 : left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Wait::Dead;
        }
        if (n == 0)
            return Wait::Quiet;
        if (p.revents & POLLIN)
            return Wait::Data;
        return Wait::Dead;  // hang-up or error: the adapter is gone
    }
}

int SerialLink::read_bound_ms(std::size_t cap) const
{
    const int baud = baud_ > 0 ? baud_ : kSlowestBaud;
    const auto wireMs = static_cast<long long>(cap) * kBitsPerByte * 1000 / baud;
    // Twice the wire time leaves room for a device that pauses between bursts.
    return replyTimeoutMs_ + static_cast<int>(2 * wireMs) + quietGapMs_ + kBoundMarginMs;
}

int SerialLink::resync_bound_ms() const
{
    // The failed exchange's time-out, then as long as the longest reply may take.
    return resyncMs_ + read_bound_ms(kReadChunk);
}

int SerialLink::read_reply(char* buf, std::size_t cap, ReplyEnd rule)
{
    if (cap == 0)
        return -2;
    buf[0] = 0;
    if (fd_ < 0) {
        lastEnding_ = ReplyEnding::LineDead;
        return -2;
    }
    const auto limit = Clock::now() + std::chrono::milliseconds(read_bound_ms(cap));
    ReplyFramer framer(rule);
    std::size_t stored = 0;
    bool any = false;
    auto take = [&](std::string_view bytes) {
        any = any || !bytes.empty();
        const std::size_t used = framer.feed(bytes);
        const std::size_t keep = std::min(used, cap - 1 - stored);
        std::memcpy(buf + stored, bytes.data(), keep);
        stored += keep;
        if (framer.complete())
            carry_.assign(bytes.substr(used));  // what follows belongs to a later read
    };
    if (!carry_.empty()) {
        const std::string earlier = std::move(carry_);
        carry_.clear();
        take(earlier);
    }

    ReplyEnding ending = ReplyEnding::TimeOut;
    while (!framer.complete()) {
        const int wait = any ? quietGapMs_ : replyTimeoutMs_;
        const int left = ms_until(limit);
        if (left <= 0) {
            ending = ReplyEnding::Bound;
            break;
        }
        const Wait w = wait_readable(std::min(wait, left));
        if (w == Wait::Quiet) {
            ending = left < wait ? ReplyEnding::Bound : any ? ReplyEnding::QuietGap : ReplyEnding::TimeOut;
            break;
        }
        if (w == Wait::Dead) {
            ending = ReplyEnding::LineDead;
            break;
        }
        char chunk[kReadChunk];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            ending = ReplyEnding::LineDead;  // end of file or I/O error: the line is dead
            break;
        }
        take(std::string_view(chunk, static_cast<std::size_t>(n)));
        if (stored == cap - 1 && !framer.complete())
            std::this_thread::sleep_for(kDropPause);
    }
    if (framer.complete())
        ending = ReplyEnding::FinalCode;
    buf[stored] = 0;
    note_read(buf, stored, any, ending);

    // A reply that did not end as it should may still be arriving: the next
    // line waits for the line to fall quiet, so no late answer is taken for its.
    const bool clean = ending == ReplyEnding::FinalCode ||
                       (ending == ReplyEnding::QuietGap && rule != ReplyEnd::FinalCode);
    if (!clean && ending != ReplyEnding::LineDead) {
        outOfStep_ = true;
        resyncMs_ = replyTimeoutMs_;
        lastNoise_ = Clock::now();
    }
    return any ? 0 : -2;
}

void SerialLink::note_read(const char* buf, std::size_t stored, bool any, ReplyEnding ending)
{
    lastEnding_ = ending;
    if (!trace_.enabled())
        return;
    if (any)
        trace_.received(comIndex_, std::string_view(buf, stored), ending_name(ending));
    else
        trace_.note(comIndex_, std::string("no reply (") + ending_name(ending) + ", " +
                                   std::to_string(replyTimeoutMs_) + " ms)");
}

std::size_t SerialLink::drop_pending(std::string& sample)
{
    std::size_t count = 0;
    char chunk[kReadChunk];
    while (count < kMaxDropRead) {
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return count;
        append_sample(sample, std::string_view(chunk, static_cast<std::size_t>(n)));
        count += static_cast<std::size_t>(n);
    }
    tcflush(fd_, TCIFLUSH);  // a flood: the rest goes unread
    return count;
}

// Drops input until the line has been quiet for the failed exchange's reply
// time-out, counted from the failure or the last byte dropped; bounded, so a
// device that never stops sending cannot hold the caller.
void SerialLink::wait_until_quiet(std::string& sample, std::size_t& count)
{
    const auto quietFor = std::chrono::milliseconds(resyncMs_);
    const auto limit = Clock::now() + std::chrono::milliseconds(resync_bound_ms());
    for (;;) {
        const auto now = Clock::now();
        const auto quietAt = lastNoise_ + quietFor;
        if (now >= quietAt)
            return;
        if (now >= limit) {
            trace_.note(comIndex_, "line not quiet: sending anyway");
            return;
        }
        const Wait w = wait_readable(ms_until(std::min(quietAt, limit)) + 1);
        if (w == Wait::Dead)
            return;
        if (w == Wait::Data) {
            count += drop_pending(sample);
            lastNoise_ = Clock::now();
            std::this_thread::sleep_for(kDropPause);
        }
    }
}

void SerialLink::discard_stale_input()
{
    if (fd_ < 0)
        return;
    std::string sample;
    append_sample(sample, carry_);
    std::size_t count = carry_.size();
    carry_.clear();
    if (outOfStep_) {
        const auto since = Clock::now();
        wait_until_quiet(sample, count);
        outOfStep_ = false;
        if (trace_.enabled())
            trace_.note(comIndex_, "out of step: waited " + std::to_string(elapsed_ms(since)) +
                                       " ms for a quiet line");
    }
    count += drop_pending(sample);
    if (count > 0 && trace_.enabled())
        trace_.note(comIndex_, "dropped as stale (" + std::to_string(count) + " bytes): " +
                                   escape_control(sample) + (count > sample.size() ? "..." : ""));
}

void SerialLink::write_all(const char* p, std::size_t n)
{
    while (n > 0 && fd_ >= 0) {
        ssize_t w = ::write(fd_, p, n);
        if (w > 0) {
            p += w;
            n -= static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno == EAGAIN) {
            // The output queue is full (flow control held by the device):
            // wait for room, but give up if the line stays blocked.
            pollfd pfd{fd_, POLLOUT, 0};
            int r = ::poll(&pfd, 1, 2000);
            if (r > 0 && (pfd.revents & POLLOUT))
                continue;
            if (r < 0 && errno == EINTR)
                continue;
        }
        return;  // write failures are not reported upward
    }
}

void SerialLink::write_text(std::string_view s)
{
    discard_stale_input();
    trace_.sent(comIndex_, s);
    write_all(s.data(), s.size());
}

void SerialLink::write_raw(const void* data, std::size_t count)
{
    if (trace_.enabled())
        trace_.note(comIndex_, std::to_string(count) + " raw bytes");
    write_all(static_cast<const char*>(data), count);
}

void SerialLink::set_dtr(bool on)
{
    if (fd_ < 0)
        return;
    if (dtrObserver_)
        dtrObserver_(on);
    int bits = TIOCM_DTR;
    for (int attempt = 0; attempt < kDtrAttempts; ++attempt) {
        if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0)
            return;
        if (errno != EINTR && errno != EAGAIN)
            return;  // the node has no modem lines (a pseudo-terminal)
    }
}

void SerialLink::close()
{
    if (fd_ < 0)
        return;
    tcflush(fd_, TCIOFLUSH);
    close_serial_port(fd_);
    trace_.note(comIndex_, "close");
    fd_ = -1;
    reset_exchange_state();
}

} // namespace q30

#include "serial_link.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
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

speed_t baud_constant(int baud)
{
    switch (baud) {
    case 115200: return B115200;
    case 57600: return B57600;
    default: return B19200;
    }
}

OpenError classify_open_errno(int err)
{
    switch (err) {
    case ENOENT:
    case ENXIO:
    case ENODEV: return OpenError::NotFound;
    case EACCES:
    case EPERM: return OpenError::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK: return OpenError::Busy;
    case ENOTTY: return OpenError::NotATerminal;
    default: return OpenError::Other;
    }
}

int elapsed_ms(std::chrono::steady_clock::time_point since)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - since)
                                .count());
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
    auto fail = [&](int err) {
        if (why)
            *why = classify_open_errno(err);
        return false;
    };
    if (why)
        *why = OpenError::None;
    // A previously held port is not closed here: callers close first. Only
    // the descriptor is replaced, so nothing leaks either way.
    if (fd_ >= 0)
        close();
    trace_.refresh_from_environment();

    // Non-blocking, so that a port waiting for carrier cannot hang the open;
    // every transfer waits with poll() instead.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    if (!isatty(fd)) {
        ::close(fd);
        return fail(ENOTTY);
    }
    // The advisory lock holds for root too; the kernel's exclusive mode keeps
    // other users' programs from opening the port behind our back.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return fail(err == EWOULDBLOCK ? EBUSY : err);
    }
    if (ioctl(fd, TIOCEXCL) != 0) {
        int err = errno;
        ::close(fd);
        return fail(err);
    }
    fd_ = fd;
    comIndex_ = comIndex;
    trace_.note(comIndex_, "open " + path);
    return true;
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
    quietGapMs_ = speed->quietGapMs;
    replyTimeoutMs_ = speed->quietGapMs;
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

int SerialLink::read_reply(char* buf, std::size_t cap)
{
    if (cap == 0)
        return -2;
    buf[0] = 0;
    if (fd_ < 0)
        return -2;
    std::size_t stored = 0;
    bool any = false;
    int timeout = replyTimeoutMs_;
    for (;;) {
        Wait w = wait_readable(timeout);
        if (w != Wait::Data)
            break;
        char chunk[512];
        ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            break;  // end of file or I/O error: the line is dead
        any = true;
        std::size_t room = cap - 1 - stored;
        std::size_t keep = static_cast<std::size_t>(n) < room ? static_cast<std::size_t>(n) : room;
        std::memcpy(buf + stored, chunk, keep);
        stored += keep;
        timeout = quietGapMs_;
    }
    buf[stored] = 0;
    if (!any)
        return -2;
    trace_.received(comIndex_, std::string_view(buf, stored));
    return 0;
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
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    trace_.note(comIndex_, "close");
    fd_ = -1;
}

} // namespace q30

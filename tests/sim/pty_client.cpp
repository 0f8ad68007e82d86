#include "pty_client.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace q30sim::testing {

using namespace std::chrono;

PtyClient::PtyClient(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return;
    termios tio{};
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd_, TIOCEXCL) != 0 || ::tcgetattr(fd_, &tio) != 0) {
        // Plain close: leaving exclusive mode would take it from the program that holds the port.
        ::close(fd_);
        fd_ = -1;
        return;
    }
    ::cfmakeraw(&tio);
    ::tcsetattr(fd_, TCSANOW, &tio);
}

PtyClient::~PtyClient()
{
    close();
}

void PtyClient::write(std::string_view bytes)
{
    while (!bytes.empty() && fd_ >= 0) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else {
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, 5000) <= 0)
                return;
        }
    }
}

std::string PtyClient::read_reply(milliseconds first, milliseconds quiet)
{
    std::string text;
    milliseconds wait = first;
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(wait.count())) <= 0 || !(p.revents & POLLIN))
            return text;
        char buf[4096];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0)
            return text;
        text.append(buf, static_cast<std::size_t>(n));
        wait = quiet;
    }
}

std::string PtyClient::read_until(std::string_view wanted, milliseconds limit)
{
    std::string text;
    auto end = steady_clock::now() + limit;
    while (text.find(wanted) == std::string::npos) {
        auto left = duration_cast<milliseconds>(end - steady_clock::now());
        if (left <= 0ms)
            break;
        text += read_reply(left, 1ms);
    }
    return text;
}

void PtyClient::close()
{
    if (fd_ < 0)
        return;
    ::tcflush(fd_, TCIOFLUSH);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

} // namespace q30sim::testing

#include "pty_server.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace q30sim {

namespace {

using namespace std::chrono;

// How often the server looks whether a program holds the port, at the least.
constexpr milliseconds kPortCheckInterval{100};
constexpr std::size_t kReadChunk = 4096;
// Bytes taken from the host per wake-up, so a flood cannot starve the rest of the loop.
constexpr std::size_t kMaxReadPerWake = 64 * 1024;
constexpr int kBitsPerByte = 10; // start bit, 8 data bits, stop bit

std::string errno_text(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void close_fd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

PtyServer::PtyServer(Device& device, int paceBaud) : device_(device), paceBaud_(paceBaud > 0 ? paceBaud : 0) {}

PtyServer::~PtyServer()
{
    stop();
}

bool PtyServer::start(std::string& error)
{
    if (thread_.joinable()) {
        error = "already serving";
        return false;
    }
    auto fail = [&](const char* what) {
        error = errno_text(what);
        close_all();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0)
        return fail("posix_openpt");
    if (::grantpt(master_) != 0)
        return fail("grantpt");
    if (::unlockpt(master_) != 0)
        return fail("unlockpt");
    char name[256];
    if (::ptsname_r(master_, name, sizeof name) != 0)
        return fail("ptsname_r");
    slavePath_ = name;

    // Our own descriptor on the slave keeps the master from reporting a hang-up
    // while no program has the port open; raw, so that nothing we send is echoed back.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0)
        return fail("open slave");
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0)
        return fail("tcsetattr");

    int wake[2];
    if (::pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0)
        return fail("pipe2");
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];

    stopping_ = false;
    thread_ = std::thread(&PtyServer::serve, this);
    return true;
}

void PtyServer::stop()
{
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        char byte = 0;
        [[maybe_unused]] ssize_t n = ::write(wakeWrite_, &byte, 1);
        thread_.join();
    }
    close_all();
}

void PtyServer::close_all()
{
    close_fd(master_);
    close_fd(slave_);
    close_fd(wakeRead_);
    close_fd(wakeWrite_);
}

bool PtyServer::port_is_open() const
{
    // The library takes the terminal's exclusive mode while it holds the port.
    int exclusive = 0;
    return ::ioctl(slave_, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

timespec PtyServer::poll_timeout(Clock::time_point now)
{
    Clock::time_point wake = now + kPortCheckInterval;
    if (!pending_.empty())
        wake = std::min(wake, next_due(outPace_, pending_.size(), now));
    if (!inbound_.empty())
        wake = std::min(wake, next_due(inPace_, inbound_.size(), now));
    {
        std::lock_guard lock(mutex_);
        if (auto deadline = device_.next_deadline())
            wake = std::min(wake, *deadline);
    }
    const auto wait = wake <= now ? nanoseconds(0) : duration_cast<nanoseconds>(wake - now);
    const auto secs = duration_cast<seconds>(wait);
    return timespec{static_cast<time_t>(secs.count()), static_cast<long>((wait - secs).count())};
}

void PtyServer::serve()
{
    for (;;) {
        Clock::time_point now = Clock::now();
        pollfd fds[2] = {{masterFailing_ ? -1 : master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        // A hang-up or error is reported once; the next round waits without the
        // master, so a dead line cannot spin the CPU.
        masterFailing_ = false;
        const timespec timeout = poll_timeout(now);
        int ready = ::ppoll(fds, 2, &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            ::usleep(static_cast<useconds_t>(duration_cast<microseconds>(kPortCheckInterval).count()));
        {
            std::lock_guard lock(mutex_);
            if (stopping_)
                return;
        }

        if (fds[0].revents & POLLIN)
            read_host_bytes(inbound_);
        else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            masterFailing_ = true;

        // Looked at after reading: the library takes exclusive mode before it
        // writes, so bytes we have read come from a program holding the port.
        bool open = port_is_open();
        now = Clock::now();
        const std::string input = take_arrived_input(now);
        std::string output;
        {
            std::lock_guard lock(mutex_);
            if (open != portOpen_)
                device_.set_port_open(open);
            if (!input.empty())
                device_.receive(input, now);
            device_.tick(now);
            output = device_.take_output();
        }
        portOpen_ = open;
        if (!open) {
            // Nobody listens: what the device says is lost, as on a real line,
            // and the next program to open the port finds nothing stale.
            drop_pending();
            ::tcflush(slave_, TCIFLUSH);
            continue;
        }
        pending_ += output;
        send_output(now);
    }
}

void PtyServer::read_host_bytes(std::string& input)
{
    char chunk[kReadChunk];
    const std::size_t limit = input.size() + kMaxReadPerWake;
    while (input.size() < limit) {
        ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n > 0) {
            input.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            masterFailing_ = true;
        break;
    }
}

PtyServer::Clock::time_point PtyServer::next_due(const Pace& pace, std::size_t waiting,
                                                 Clock::time_point now) const
{
    if (paceBaud_ == 0 || pace.since == Clock::time_point{})
        return now;
    const auto wireTime = duration<double>(static_cast<double>(waiting) * kBitsPerByte / paceBaud_);
    return pace.since + duration_cast<Clock::duration>(wireTime);
}

std::size_t PtyServer::due(Pace& pace, std::size_t waiting, Clock::time_point now) const
{
    if (paceBaud_ == 0 || waiting == 0)
        return waiting;
    if (pace.since == Clock::time_point{})
        pace.since = now;
    // A chunk is handed over whole once its last byte has crossed the line:
    // it arrives when it would on a real line, and a busy machine cannot
    // tear it into pieces that look like the end of a reply.
    if (now < next_due(pace, waiting, now))
        return 0;
    pace = Pace{};
    return waiting;
}

std::string PtyServer::take_arrived_input(Clock::time_point now)
{
    std::size_t n = due(inPace_, inbound_.size(), now);
    std::string arrived = inbound_.substr(0, n);
    inbound_.erase(0, n);
    return arrived;
}

void PtyServer::send_output(Clock::time_point now)
{
    std::size_t n = due(outPace_, pending_.size(), now);
    if (n == 0)
        return;
    write_master(pending_.data(), n);
    pending_.erase(0, n);
}

void PtyServer::drop_pending()
{
    pending_.clear();
    outPace_ = Pace{};
}

void PtyServer::write_master(const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(master_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // full or failing: the rest is dropped rather than waited for
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace q30sim

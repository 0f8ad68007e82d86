#include "fake_device.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

FakeDevice::FakeDevice()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    path_ = ptsname(master_);
    // Hold the slave open in raw mode: no echo of our own output, and no
    // hang-up while the library has the port closed.
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    thread_ = std::thread([this] { serve(); });
}

FakeDevice::~FakeDevice()
{
    stop_streaming();
    {
        std::lock_guard<std::mutex> hold(mutex_);
        stop_ = true;
    }
    thread_.join();
    if (master_ >= 0)
        ::close(master_);
    ::close(slave_);
}

void FakeDevice::on(const std::string& line, std::vector<Burst> bursts)
{
    std::lock_guard<std::mutex> hold(mutex_);
    script_[line] = std::move(bursts);
}

void FakeDevice::on_ok(const std::string& line, const std::string& answer)
{
    std::string reply = answer.empty() ? "\r\nOK\r\n" : "\r\n" + answer + "\r\n\r\nOK\r\n";
    on(line, {{std::chrono::milliseconds(0), reply}});
}

void FakeDevice::identify_as(const std::string& orderNumber, const std::string& firmware,
                             const std::string& bootCode)
{
    on_ok("ATE0");
    on_ok("ATV1");
    on_ok("ATI4", orderNumber);
    on_ok("ATI3", firmware + "\r\nBOOT CODE " + bootCode);
}

void FakeDevice::send(const std::string& bytes)
{
    std::lock_guard<std::mutex> hold(mutex_);
    if (master_ >= 0)
        (void)!::write(master_, bytes.data(), bytes.size());
}

void FakeDevice::start_streaming(const std::string& bytes)
{
    stop_streaming();
    streaming_ = true;
    streamer_ = std::thread([this, bytes] {
        while (streaming_) {
            send(bytes);
            // About the pace of a line at 115200 bit/s, in batches.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

void FakeDevice::stop_streaming()
{
    streaming_ = false;
    if (streamer_.joinable())
        streamer_.join();
}

void FakeDevice::hang_up()
{
    std::lock_guard<std::mutex> hold(mutex_);
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
    // The held slave would keep the line up: let it go too.
    ::close(slave_);
    slave_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
}

unsigned FakeDevice::line_speed() const
{
    std::lock_guard<std::mutex> hold(mutex_);
    termios tio{};
    tcgetattr(slave_, &tio);
    return cfgetospeed(&tio);
}

std::vector<std::string> FakeDevice::lines() const
{
    std::lock_guard<std::mutex> hold(mutex_);
    return lines_;
}

std::string FakeDevice::all_bytes() const
{
    std::lock_guard<std::mutex> hold(mutex_);
    return bytes_;
}

bool FakeDevice::wait_for_lines(std::size_t count, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> hold(mutex_);
    return changed_.wait_for(hold, limit, [&] { return lines_.size() >= count; });
}

void FakeDevice::serve()
{
    for (;;) {
        int fd;
        {
            std::lock_guard<std::mutex> hold(mutex_);
            if (stop_)
                return;
            fd = master_;
        }
        if (fd < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN)) {
            if (p.revents & (POLLHUP | POLLERR))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        char buf[4096];
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            continue;
        std::vector<std::vector<Burst>> answers;
        {
            std::lock_guard<std::mutex> hold(mutex_);
            bytes_.append(buf, static_cast<std::size_t>(n));
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] != '\r') {
                    partial_ += buf[i];
                    continue;
                }
                lines_.push_back(partial_);
                auto it = script_.find(partial_);
                if (it != script_.end())
                    answers.push_back(it->second);
                partial_.clear();
            }
        }
        changed_.notify_all();
        for (const auto& bursts : answers)
            for (const auto& b : bursts) {
                std::this_thread::sleep_for(b.delay);
                send(b.bytes);
            }
    }
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name)
{
    if (const char* old = std::getenv(name.c_str())) {
        had_ = true;
        old_ = old;
    }
    setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

ComPorts::ComPorts(std::map<int, std::string> byComNumber)
{
    for (int n = 1; n <= 8; ++n) {
        auto it = byComNumber.find(n);
        std::string path = it != byComNumber.end() ? it->second : kAbsentPort;
        vars_.push_back(std::make_unique<ScopedEnv>("Q30COM32_COM" + std::to_string(n), path));
    }
}

} // namespace testsupport

// A scripted stand-in for the device on a pseudo-terminal: it records every
// line it receives and answers the lines it was told about, in bursts with
// chosen pauses. Lines it does not know get no answer (a silent device).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct Burst {
    std::chrono::milliseconds delay;  // pause before this burst
    std::string bytes;
};

class FakeDevice {
public:
    FakeDevice();
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    const std::string& path() const { return path_; }

    // Answers `line` (without its CR) with the bursts, every time it arrives.
    void on(const std::string& line, std::vector<Burst> bursts);
    // Answers `line` with one verbose reply: CR LF answer CR LF, CR LF OK CR LF.
    void on_ok(const std::string& line, const std::string& answer = "");
    // Behaves like a freshly identified device of the given order number.
    void identify_as(const std::string& orderNumber, const std::string& firmware = "1.3.4",
                     const std::string& bootCode = "1.02");

    // Sends bytes now, unasked.
    void send(const std::string& bytes);
    // Keeps sending `bytes` over and over, unasked, until stop_streaming().
    void start_streaming(const std::string& bytes);
    void stop_streaming();
    // Closes the master side: the port hangs up.
    void hang_up();

    // The line speed the port is set to, as the device side sees it.
    unsigned line_speed() const;

    std::vector<std::string> lines() const;
    std::string all_bytes() const;
    // Waits until `count` lines have arrived (or the time is up).
    bool wait_for_lines(std::size_t count, std::chrono::milliseconds limit);

private:
    void serve();

    std::string path_;
    int master_ = -1;
    int slave_ = -1;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, std::vector<Burst>> script_;
    std::vector<std::string> lines_;
    std::string bytes_;
    std::string partial_;
    bool stop_ = false;
    std::thread thread_;
    std::atomic<bool> streaming_{false};
    std::thread streamer_;
};

// Saves and restores an environment variable for the life of a test.
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

// Points COM1..COM8 at the given paths; ports not given point at a path that
// does not exist, so no test touches a real serial port of the machine.
class ComPorts {
public:
    explicit ComPorts(std::map<int, std::string> byComNumber = {});

private:
    std::vector<std::unique_ptr<ScopedEnv>> vars_;
};

inline constexpr const char* kAbsentPort = "/nonexistent/quillon-test-port";

} // namespace testsupport

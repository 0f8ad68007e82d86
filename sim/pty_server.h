// Serves a Device on a pseudo-terminal: a program opens the slave side as it
// would open a serial port. One thread moves bytes between the master side
// and the device, keeps the device's clock going, and if asked paces both
// directions to a bit rate: what is sent arrives when its last byte would
// have crossed a real line.
#pragma once

#include <chrono>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>

#include "device.h"

namespace q30sim {

class PtyServer {
public:
    explicit PtyServer(Device& device, int paceBaud = 0);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal and starts serving. False with `error` set.
    bool start(std::string& error);
    std::string slave_path() const { return slavePath_; }
    // Stops serving and closes the pseudo-terminal; returns promptly.
    void stop();

    // Runs `f(device)` under the lock the serving thread holds while it uses the device.
    template <typename F>
    auto with_device(F&& f)
    {
        std::lock_guard lock(mutex_);
        return f(device_);
    }

private:
    using Clock = std::chrono::steady_clock;

    void serve();
    timespec poll_timeout(Clock::time_point now);
    bool port_is_open() const;
    void read_host_bytes(std::string& input);
    void send_output(Clock::time_point now);
    void write_master(const char* data, std::size_t size);
    void drop_pending();
    void close_all();

    Device& device_;
    const int paceBaud_;
    int master_ = -1;
    int slave_ = -1;      // held open for the server's whole life, never read
    int wakeRead_ = -1;   // stop() writes here to end the serving thread's poll
    int wakeWrite_ = -1;
    std::string slavePath_;
    std::thread thread_;
    std::mutex mutex_;
    bool stopping_ = false; // guarded by mutex_

    // A paced stream: when its first waiting byte started across the line.
    struct Pace {
        Clock::time_point since{};
    };
    // How many of `waiting` bytes the line has carried by `now`: all or none.
    std::size_t due(Pace& pace, std::size_t waiting, Clock::time_point now) const;
    // When the last of `waiting` bytes will have crossed the line.
    Clock::time_point next_due(const Pace& pace, std::size_t waiting, Clock::time_point now) const;
    std::string take_arrived_input(Clock::time_point now);

    // Serving thread only.
    bool portOpen_ = false;
    bool masterFailing_ = false;
    std::string pending_;   // paced output not yet written
    Pace outPace_;
    std::string inbound_;   // host bytes still on their way to the device
    Pace inPace_;
};

} // namespace q30sim

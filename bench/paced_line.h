// What both benchmarks share: the emulated device served at a real line's
// speed in both directions on COM1 (the other COM ports lead nowhere), and
// the time its bytes need on such a line.
#pragma once

#include <cstddef>
#include <string>

#include "device.h"
#include "pty_server.h"

namespace bench {

constexpr int kBaud = 115200;
constexpr double kBitsPerByte = 10.0;  // a start and a stop bit per byte
constexpr double kQuietGapMs = 10.0;   // the library's quiet gap after a reply without a final result

double wire_ms(std::size_t bytes);

// A seeded device paced at kBaud, found as COM1.
class PacedEmulator {
public:
    PacedEmulator();
    bool start(std::string& error);
    void stop() { server_.stop(); }
    const q30sim::DeviceOptions& options() const { return options_; }

private:
    q30sim::DeviceOptions options_;
    q30sim::Device device_;
    q30sim::PtyServer server_;
};

// The seeded device is deterministic, so a private copy tells how many bytes
// the served one answers to the same line.
class WireMirror {
public:
    explicit WireMirror(const q30sim::DeviceOptions& options);
    // Bytes of the line with its CR and of the answer.
    std::size_t exchange_bytes(const std::string& line);

private:
    q30sim::Device device_;
};

} // namespace bench

#include "paced_line.h"

#include <chrono>
#include <cstdlib>

namespace bench {

namespace {

q30sim::DeviceOptions seeded_at_line_speed()
{
    q30sim::DeviceOptions options;
    options.seed = true;
    options.paceBaud = kBaud;
    return options;
}

} // namespace

double wire_ms(std::size_t bytes) { return static_cast<double>(bytes) * kBitsPerByte * 1000.0 / kBaud; }

PacedEmulator::PacedEmulator() : options_(seeded_at_line_speed()), device_(options_), server_(device_, options_.paceBaud)
{
}

bool PacedEmulator::start(std::string& error)
{
    if (!server_.start(error))
        return false;
    setenv("Q30COM32_COM1", server_.slave_path().c_str(), 1);
    for (int n = 2; n <= 8; ++n)
        setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), "/nonexistent", 1);
    return true;
}

WireMirror::WireMirror(const q30sim::DeviceOptions& options) : device_(options)
{
    // The library's connection turns echo off and verbose answers on.
    for (const char* setup : {"ATE0", "ATE0", "ATV1"})
        exchange_bytes(setup);
}

std::size_t WireMirror::exchange_bytes(const std::string& line)
{
    device_.receive(line + "\r", std::chrono::steady_clock::now());
    return line.size() + 1 + device_.take_output().size();
}

} // namespace bench

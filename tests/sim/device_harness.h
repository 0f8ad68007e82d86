// Drives a Device the way a host would, with a clock the test moves by hand.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device.h"

namespace q30sim::testing {

class DeviceHarness {
public:
    // Starts the device; with `quiet` it first turns echo off, as the library does.
    explicit DeviceHarness(DeviceOptions options = {}, bool quiet = true);

    // Sends one command line (CR appended) and returns everything the device answered.
    std::string send(std::string_view line);
    // Sends raw bytes and returns the answer.
    std::string feed(std::string_view bytes);
    // The answer lines of a verbose reply ending in OK; nothing when it is not one.
    std::optional<std::vector<std::string>> answer(std::string_view line);
    // The one answer line, or "<no OK>" when the command was refused.
    std::string value(std::string_view line);
    bool accepted(std::string_view line);
    bool refused(std::string_view line);

    // Moves the clock on and lets timed behaviour happen; returns what the device said meanwhile.
    std::string advance(std::chrono::milliseconds by);

    Device device;
    Device::TimePoint now;
};

// The lines of a verbose reply ("\r\n" a "\r\n" b "\r\n" "\r\nOK\r\n"), or nothing.
std::optional<std::vector<std::string>> verbose_answer(const std::string& reply);

} // namespace q30sim::testing

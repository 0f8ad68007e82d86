// An emulated device served on a pseudo-terminal for the length of a run,
// with COM1 pointed at it.
#pragma once

#include <memory>
#include <string>

#include "device_options.h"

namespace q30sim {

class DemoDevice {
public:
    DemoDevice();
    ~DemoDevice();
    DemoDevice(const DemoDevice&) = delete;
    DemoDevice& operator=(const DemoDevice&) = delete;

    // Starts the device and points COM1 at it. False with `error` set when no
    // pseudo-terminal could be had.
    bool start(const DeviceOptions& options, std::string& error);
    const std::string& path() const { return path_; }

private:
    struct Running;
    std::unique_ptr<Running> running_;
    std::string path_;
};

} // namespace q30sim

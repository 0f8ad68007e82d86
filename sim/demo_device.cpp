#include "demo_device.h"

#include <cstdlib>

#include "device.h"
#include "pty_server.h"

namespace q30sim {

struct DemoDevice::Running {
    explicit Running(const DeviceOptions& options) : device(options), server(device, options.paceBaud) {}
    Device device;
    PtyServer server;
};

DemoDevice::DemoDevice() = default;

DemoDevice::~DemoDevice()
{
    if (running_)
        running_->server.stop();
}

bool DemoDevice::start(const DeviceOptions& options, std::string& error)
{
    running_ = std::make_unique<Running>(options);
    if (!running_->server.start(error)) {
        running_.reset();
        return false;
    }
    path_ = running_->server.slave_path();
    setenv("Q30COM32_COM1", path_.c_str(), 1);
    return true;
}

} // namespace q30sim

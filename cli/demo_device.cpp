#include "demo_device.h"

#include <cstdlib>

#include "device.h"
#include "pty_server.h"

namespace quillon {

struct DemoDevice::Running {
    explicit Running(const q30sim::DeviceOptions& options) : device(options), server(device, options.paceBaud) {}
    q30sim::Device device;
    q30sim::PtyServer server;
};

DemoDevice::DemoDevice() = default;

DemoDevice::~DemoDevice()
{
    if (running_)
        running_->server.stop();
}

bool DemoDevice::start(const q30sim::DeviceOptions& options, std::string& error)
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

} // namespace quillon

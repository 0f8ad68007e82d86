// The busy states of AT!P14#0?: the demo device's own calls come and go, and
// a call asked for by option replaces them.
#include <gtest/gtest.h>

#include "device_harness.h"

using namespace std::chrono_literals;

namespace q30sim::testing {

TEST(PortStatus, TheDemoCallShowsWhileItRunsAndACallByOptionReplacesIt)
{
    auto busy_flags = [](DeviceHarness& h) {
        std::string flags;
        for (const std::string& line : h.answer("AT!P14#0?").value_or(std::vector<std::string>{}))
            flags += line.back();
        return flags;
    };
    DeviceHarness h({.seed = true});
    const std::string during = busy_flags(h);
    ASSERT_EQ(std::count(during.begin(), during.end(), '1'), 1) << during;
    const int port = analogue_ports(Model::Q30)[during.find('1')];
    EXPECT_GT(h.device.charges().get(port, Counter::Current), 0) << "the busy port's call is charged";
    h.advance(DemoCalls::kCallLength + 1s);
    EXPECT_EQ(busy_flags(h), "00000") << "between two calls";

    DeviceHarness byOption({.seed = true, .callInProgress = true});
    EXPECT_EQ(busy_flags(byOption), "10000");
}

} // namespace q30sim::testing

// The calls the demo device makes by itself: what a program watching the
// charge counters and call lists sees change over time.
#include <gtest/gtest.h>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

using namespace std::chrono_literals;

constexpr MilliAmount kUnit = 120;  // the default charge per unit, "0,12"

TEST(DemoCalls, ACallChargesUnitByUnitAndIsBookedWhenItEnds)
{
    DeviceHarness h({.seed = true});
    const Charges& charges = h.device.charges();
    const MilliAmount sumBefore = charges.get(21, Counter::Sum);
    const MilliAmount totalBefore = charges.total();
    const std::size_t listedBefore = h.device.call_log().entries(21, CallList::Outgoing).size();

    // The first unit is due as the call connects, one more every interval.
    h.send("AT");
    EXPECT_EQ(charges.get(21, Counter::Current), kUnit);
    h.advance(DemoCalls::kChargeInterval * 2);
    h.send("AT");
    EXPECT_EQ(charges.get(21, Counter::Current), 3 * kUnit);
    EXPECT_EQ(charges.get(21, Counter::Sum), sumBefore);

    // Time passes between commands without the device being asked: it catches up.
    h.advance(DemoCalls::kCallLength - DemoCalls::kChargeInterval * 2);
    h.send("AT");
    const MilliAmount callAmount = charges.get(21, Counter::LastCall);
    EXPECT_EQ(callAmount, (DemoCalls::kCallLength / DemoCalls::kChargeInterval) * kUnit);
    EXPECT_EQ(charges.get(21, Counter::Current), 0);
    EXPECT_EQ(charges.get(21, Counter::Sum), sumBefore + callAmount);
    EXPECT_EQ(charges.total(), totalBefore + callAmount);
    const auto& listed = h.device.call_log().entries(21, CallList::Outgoing);
    ASSERT_EQ(listed.size(), listedBefore + 1);
    EXPECT_EQ(listed.front().amount, callAmount);
    // The device's description of it names whom it called and fits the library's text field.
    const std::string described = h.value("AT!P26#21?");
    EXPECT_NE(described.find(listed.front().number), std::string::npos) << described;
    EXPECT_LE(described.size(), 31u) << described;

    // After a pause the data port calls, charged at the rate set by then.
    ASSERT_TRUE(h.accepted("ATS95=0,24"));
    h.advance(DemoCalls::kPause);
    h.send("AT");
    EXPECT_EQ(charges.get(kDataPort, Counter::Current), 2 * kUnit);
}

} // namespace
} // namespace q30sim::testing

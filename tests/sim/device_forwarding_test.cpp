// Call forwarding: the status line of a set, the layout of a query answer,
// and the cases the device refuses.
#include <gtest/gtest.h>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

TEST(DeviceForwarding, SetAnswersStatusAndQueryShowsKindAndTarget)
{
    DeviceHarness h;
    ASSERT_TRUE(h.accepted("AT!P0#11*0=4711001"));
    EXPECT_EQ(h.value("AT!P20#11?"), "0");
    EXPECT_EQ(h.value("AT!P20#11*1=0301234"), "1");
    EXPECT_EQ(h.value("AT!P21#11*1=*21"), "1");
    EXPECT_EQ(h.value("AT!P22#11*1=089"), "1");
    EXPECT_EQ(h.value("AT!P20#11?"), "1 CFU 0301234");
    EXPECT_EQ(h.value("AT!P21#11?"), "1 CNR *21");
    EXPECT_EQ(h.value("AT!P22#11?"), "1 CFB 089");
    // The library takes the target from the seventh character.
    EXPECT_EQ(h.value("AT!P20#11?").substr(6), "0301234");

    EXPECT_EQ(h.value("AT!P20#11*0"), "0");
    EXPECT_EQ(h.value("AT!P20#11?"), "0");
    EXPECT_EQ(h.value("AT!P21#11?"), "1 CNR *21"); // the others stay
}

TEST(DeviceForwarding, RefusedWithoutFirstMsnOrToItself)
{
    DeviceHarness h;
    EXPECT_EQ(h.value("AT!P20#21*1=0301234"), "3");
    EXPECT_EQ(h.value("AT!P20#21?"), "0");
    ASSERT_TRUE(h.accepted("AT!P0#21*0=4711003"));
    EXPECT_EQ(h.value("AT!P20#21*1=*21"), "3");
    EXPECT_EQ(h.value("AT!P20#21*1=*22"), "1");
}

TEST(DeviceForwarding, MalformedForwardingIsAnError)
{
    DeviceHarness h;
    ASSERT_TRUE(h.accepted("AT!P0#11*0=4711001"));
    for (const char* line : {"AT!P20#11*1=12a", "AT!P20#11*1=1234567890123456", "AT!P20#11*2=1", "AT!P20#11=1",
                             "AT!P20#11*1?", "AT!P20#11*1", "AT!P23#11*1=1", "AT!P20#12?"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
}

TEST(DeviceForwarding, WithoutTheServiceEverySetAnswersNotSubscribed)
{
    DeviceHarness h({.noForwardingService = true});
    ASSERT_TRUE(h.accepted("AT!P0#11*0=4711001"));
    EXPECT_EQ(h.value("AT!P20#11*1=0301234"), "2");
    EXPECT_EQ(h.value("AT!P22#11*0"), "2");
    EXPECT_EQ(h.value("AT!P20#11?"), "0");
}

} // namespace
} // namespace q30sim::testing

// Every setting the library can send is taken when valid, refused otherwise,
// and reads back as it was set.
#include <gtest/gtest.h>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

struct RoundTrip {
    const char* set;
    const char* query;
    const char* expected;
};

// One set per command family and form the library formats.
const RoundTrip kRoundTrips[] = {
    {"AT!N2=4711999", "AT!N2?", "4711999"},
    {"AT!P0#32*2=123456789012345", "AT!P0#32*2?", "123456789012345"},
    {"AT%A5=1", "AT%A5?", "1"},
    {"AT!P17#21=1", "AT!P17#21?", "1"},
    {"AT!P19#22=1", "AT!P19#22?", "1"},
    {"AT!P18#31=06:05", "AT!P18#31?", "06:05"},
    {"AT!P18#11=6:5", "AT!P18#11?", "06:05"},
    {"AT!P2#11=0", "AT!P2#11?", "0"},
    {"AT!P8#11=0", "AT!P8#11?", "0"},
    {"AT!P9#11=7", "AT!P9#11?", "7"},
    {"AT!P6#21=2", "AT!P6#21?", "2"},
    {"AT!P1#22=0", "AT!P1#22?", "0"},
    {"AT!V0=1", "AT!V0?", "1"},
    {"AT!V3=0", "AT!V3?", "0"},
    {"AT!P11#21=1", "AT!P11#21?", "1"},
    {"AT!P10#11*9=*21", "AT!P10#11*9?", "*21"},
    {"AT!P10#32*0=0301234567", "AT!P10#32*0?", "0301234567"},
    {"AT\\E=1", "AT\\E?", "1"},
    {"AT!P13#32=1", "AT!P13#32?", "1"},
    {"AT\\F9=0190123", "AT\\F9?", "0190123"},
    {"AT!P12#22*3=*11", "AT!P12#22*3?", "*11"},
    {"AT&P=1", "AT&P?", "1"},
    {"AT\\D15=08-18", "AT\\D15?", "08-18"},
    {"AT\\D03=22-24", "AT\\D03?", "22-24"},
    {"AT\\P12=01070", "AT\\P12?", "01070"},
    {"AT&L05=1", "AT&L05?", "1"},
    {"AT&R10=1", "AT&R10?", "1"},
    {"AT\\N17=0130-0139", "AT\\N17?", "0130-0139"},
    {"AT&N07=1", "AT&N07?", "1"},
    {"AT\\A=1", "AT\\A?", "1"},
    {"AT\\B9=0301234567", "AT\\B9?", "0301234567"},
    {"ATS91=2", "ATS91?", "2"},
    {"ATS95=1.5", "ATS95?", "1.5"},
    {"ATS76=030", "ATS76?", "030"},
    {"ATS78=0", "ATS78?", "0"},
    {"ATS75=001", "ATS75?", "001"},
    {"ATS96=EUR", "ATS96?", "EUR"},
    {"AT%A2=90", "AT%A2?", "90"},
    {"AT%A0=1", "AT%A0?", "1"},
    {"AT%P0=1", "AT%P0?", "1"},
    {"AT%X1=1", "AT%X1?", "1"},
    {"AT%P1=1", "AT%P1?", "1"},
    {"AT%P6=1", "AT%P6?", "1"},
    {"AT%E9=0", "AT%E9?", "0"},
    {"AT%E0=128", "AT%E0?", "128"},
    {"AT%X0=1", "AT%X0?", "1"},
    {"AT!H0=512", "AT!H0?", "512"},
    {"AT%P3=5", "AT%P3?", "5"},
    {"AT%P4=0080C81E379a", "AT%P4?", "0080C81E379a"},
    {"AT%P7=64", "AT%P7?", "64"},
    {"AT%P8=60", "AT%P8?", "60"},
    {"AT%P9=0", "AT%P9?", "0"},
    {"AT%P10=1", "AT%P10?", "1"},
    {"AT!P25#11=7", "AT!P25#11?", "7"},
};

TEST(DeviceRegisters, EverySetReadsBackAsSet)
{
    DeviceHarness h;
    for (const RoundTrip& r : kRoundTrips) {
        SCOPED_TRACE(r.set);
        EXPECT_TRUE(h.accepted(r.set));
        EXPECT_EQ(h.value(r.query), r.expected);
    }
}

TEST(DeviceRegisters, EqualsWithoutAValueClearsAnEntry)
{
    DeviceHarness h;
    struct Clear {
        const char* before;
        RoundTrip clear;
    };
    const Clear kClears[] = {
        {"AT!N2=12", {"AT!N2=", "AT!N2?", ""}},
        {"AT!P0#11*2=12", {"AT!P0#11*2=", "AT!P0#11*2?", ""}},
        {"AT!P10#11*0=12", {"AT!P10#11*0=", "AT!P10#11*0?", ""}},
        {"AT\\F3=12", {"AT\\F3=", "AT\\F3?", ""}},
        {"AT&P=1", {"AT&P=", "AT&P?", "0"}},
        {"AT\\D01=01-02", {"AT\\D01=", "AT\\D01?", ""}},
        {"AT\\D02=01-02", {"AT\\D02=00-00", "AT\\D02?", ""}},
        {"AT\\N03=01-02", {"AT\\N03=", "AT\\N03?", ""}},
        {"AT\\P04=01070", {"AT\\P04=", "AT\\P04?", ""}},
        {"AT\\B1=12", {"AT\\B1=", "AT\\B1?", ""}},
        {"ATS96=DM", {"ATS96=", "ATS96?", ""}},
    };
    for (const Clear& c : kClears) {
        SCOPED_TRACE(c.clear.set);
        ASSERT_TRUE(h.accepted(c.before));
        EXPECT_TRUE(h.accepted(c.clear.set));
        EXPECT_EQ(h.value(c.clear.query), c.clear.expected);
    }
}

TEST(DeviceRegisters, RefusesInvalidValuesAndKeepsTheOldOne)
{
    DeviceHarness h;
    ASSERT_TRUE(h.accepted("AT!P9#11=4"));
    const char* kInvalid[] = {
        "AT!P0#11*0=1234567890123456", "AT!P0#11*0=12a", "AT!P0#11*0= 12", "AT!P9#11=10", "AT!P9#11=a",
        "AT!P9#11=", "AT!P9#11=-1", "AT!P6#11=3", "AT!P1#11=3", "AT!V0=3", "AT!P18#11=24:00", "AT!P18#11=12:60",
        "AT!P18#11=1200", "AT\\D00=12-12", "AT\\D00=13-12", "AT\\D00=24-25", "AT\\D00=0-25", "AT\\P00=1234567",
        "AT\\N00=0130-01390", "AT\\N00=130-139", "AT\\N00=0130", "AT\\N00=012345-012345", "AT%A2=7",
        "AT%E0=127", "AT%E0=257", "AT%X0=0", "AT%X0=2049", "AT!H0=0", "AT%P7=65", "AT%P8=0", "AT%P10=61",
        "AT%P3=6", "AT%P4=xyz", "ATS91=3", "ATS76=1234567", "ATS78=1234", "ATS75=123456", "ATS96=EURO",
        "ATS95=10000", "ATS95=1,2,3", "ATS95=1a", "AT&P=2", "AT\\E=x", "AT!P10#11*0=*41", "AT!P10#11*0=*1",
        "AT\\B0=12a", "AT!P25#11=256", "AT!P2#11=11",
    };
    for (const char* line : kInvalid) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
    EXPECT_EQ(h.value("AT!P9#11?"), "4");
}

TEST(DeviceRegisters, RefusesBadAddressesAndForms)
{
    DeviceHarness h;
    const char* kBad[] = {
        "AT!P0#11*3=1", "AT!N5=1", "AT!V1=1", "AT!V?", "AT\\D06=01-02", "AT\\D20=01-02", "AT\\D1?",
        "AT\\N08=0-0", "AT!P10#11*10=1", "AT!P2#12=1", "AT!P2=1", "AT!P2#11*1=1", "AT!P2#0?", "AT%A5",
        "AT!P9#11", "ATS95#11?", "AT\\F10?",
    };
    for (const char* line : kBad) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
}

TEST(DeviceRegisters, SmallModelHasNoPorts31And32)
{
    DeviceHarness h({.model = Model::Q20});
    for (const char* line : {"AT!P0#31*0?", "AT!P17#32?", "AT!P20#31?", "AT!P3#32*0?", "AT!P5#31", "AT!P9#32=1",
                             "AT!P10#11*0=*31", "AT!P24#31=0301"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
    EXPECT_TRUE(h.accepted("AT!P10#11*0=*22"));
    EXPECT_EQ(h.value("AT!P0#22*0?"), "");
}

TEST(DeviceRegisters, CommandNamesIgnoreLetterCaseButValuesDoNot)
{
    DeviceHarness h;
    EXPECT_TRUE(h.accepted("at%p4=00aBcD"));
    EXPECT_EQ(h.value("AT%P4?"), "00aBcD");
    EXPECT_TRUE(h.accepted("ats96=dm"));
    EXPECT_EQ(h.value("ATS96?"), "dm");
}

TEST(DeviceRegisters, SeedFillsPlausibleDemoNumbers)
{
    DeviceHarness h({.seed = true});
    EXPECT_EQ(h.value("AT!P0#11*0?"), "4711001");
    EXPECT_FALSE(h.value("AT!N0?").empty());
    EXPECT_FALSE(h.value("AT!P10#11*0?").empty());
    EXPECT_FALSE(h.value("AT!P12#11*0?").empty());
    // The same every run.
    DeviceHarness again({.seed = true});
    EXPECT_EQ(h.device.settings(), again.device.settings());
}

} // namespace
} // namespace q30sim::testing

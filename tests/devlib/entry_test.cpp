// D_SendDrvCmd against scripted devices on pseudo-terminals: search,
// identify, the special codes of the spine, the generic sequence, the lock.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include "fake_device.h"
#include "records.h"
#include "q30com32/q30com32.h"

using namespace std::chrono_literals;
using testsupport::Burst;
using testsupport::ComPorts;
using testsupport::FakeDevice;

namespace {

// Every test starts with the library's port closed.
struct Entry : ::testing::Test {
    void SetUp() override { D_SendDrvCmd(q30::DRV_CLOSE, nullptr); }
    void TearDown() override { D_SendDrvCmd(q30::DRV_CLOSE, nullptr); }
};

DrvCmd device_info()
{
    DrvCmd r = testsupport::record();
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_DEVICE_INFO, &r), 1);
    return r;
}

} // namespace

TEST_F(Entry, CodesThatDoNothingLeaveLineAndRecordAlone)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    std::size_t before = device.lines().size();

    DrvCmd r = testsupport::record();
    std::memset(&r, 0x5A, sizeof r);
    const DrvCmd untouched = r;
    for (uint32_t code : {2u, 58u, 59u, 60u, 61u, 62u, 63u})
        EXPECT_EQ(D_SendDrvCmd(code, &r), 0) << code;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_NOP36, &r), 1);
    EXPECT_EQ(D_SendDrvCmd(67, &r), 0);
    EXPECT_EQ(D_SendDrvCmd(0xFFFF, &r), 0);
    EXPECT_EQ(std::memcmp(&r, &untouched, sizeof r), 0);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(device.lines().size(), before);
}

TEST_F(Entry, OnlyTheLow16BitsOfTheCodeCount)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    device.on_ok("AT");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_EQ(D_SendDrvCmd(0x10000u + q30::DRV_PING, nullptr), 1);
    EXPECT_EQ(D_SendDrvCmd(0x10000u + 67, nullptr), 0);
}

TEST_F(Entry, SearchSkipsAbsentAndSilentPortsAndLeavesTheFoundOneOpenAt115200)
{
    FakeDevice silent;
    FakeDevice device;
    device.identify_as("KLM-230S", "1.3.4", "2.01");
    ComPorts ports({{2, silent.path()}, {3, device.path()}});

    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_EQ(silent.lines(), (std::vector<std::string>{"ATE0", "ATE0"}))
        << "a silent port is given up after the second ATE0";
    EXPECT_EQ(device.lines(), (std::vector<std::string>{"ATE0", "ATE0", "ATV1", "ATI4", "ATI3"}));
    EXPECT_EQ(device.line_speed(), static_cast<unsigned>(B115200));

    DrvCmd r = device_info();
    EXPECT_EQ(r.port, 2) << "COM3";
    EXPECT_EQ(r.index, q30::kModelQ30);
    EXPECT_EQ(q30::record::usb_flag(r), 0);
    EXPECT_STREQ(r.text, "1.3.4");
    EXPECT_EQ(q30::record::boot_version(r), "2.01");

    device.on_ok("AT");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, nullptr), 1) << "the port stayed open";
}

TEST_F(Entry, NoDeviceAnywhereGivesMinusTwo)
{
    ComPorts ports;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), -2);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, nullptr), -1);
}

TEST_F(Entry, ADeviceThatEchoesBeforeEchoOffStillIdentifies)
{
    FakeDevice device;
    // The first ATE0 is echoed and answered; only then is echo off.
    device.on("ATE0", {{0ms, "ATE0\r\r\nOK\r\n"}});
    device.on_ok("ATV1");
    device.on_ok("ATI4", "KLM-220S");
    device.on_ok("ATI3", "1.2.9\r\nBOOT CODE 1.00");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    DrvCmd r = device_info();
    EXPECT_EQ(r.index, q30::kModelQ20);
    EXPECT_STREQ(r.text, "1.2.9");
    EXPECT_EQ(q30::record::boot_version(r), "1.00");
}

TEST_F(Entry, TheUsbVariantIsRecognisedByItsAnswer)
{
    FakeDevice device;
    device.identify_as("KLM-230S USB");
    ComPorts ports({{5, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    DrvCmd r = device_info();
    EXPECT_EQ(r.port, 4);
    EXPECT_EQ(r.index, q30::kModelQ30);
    EXPECT_EQ(q30::record::usb_flag(r), 1);
}

TEST_F(Entry, AnUnknownOrderNumberIsNoDeviceAndReportsModelZero)
{
    FakeDevice device;
    device.identify_as("KLM-999X");
    ComPorts ports({{1, device.path()}});
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), -2);
    DrvCmd r = testsupport::record();
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_DEVICE_INFO, &r), 1);
    EXPECT_EQ(r.index, q30::kModelUnknown);
}

TEST_F(Entry, VersionTextsAreBoundedAndABareCodeMarkGivesNoBootVersion)
{
    FakeDevice device;
    device.identify_as("KLM-230S", std::string(200, '9'), std::string(200, '8'));
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    DrvCmd r = device_info();
    EXPECT_EQ(std::string(r.text), std::string(51, '9'));
    EXPECT_EQ(q30::record::boot_version(r), std::string(35, '8'));

    device.on_ok("ATI3", "1.3.4\r\nBOOT CODE");
    r = device_info();
    EXPECT_STREQ(r.text, "1.3.4");
    EXPECT_EQ(q30::record::boot_version(r), "");
}

TEST_F(Entry, ReopenFindsTheDeviceOnTheRememberedPortOnly)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{4, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_CLOSE, nullptr), 0);
    std::size_t before = device.lines().size();
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_REOPEN, nullptr), 0);
    EXPECT_EQ(device.lines().size(), before + 5) << "one identify";

    ComPorts moved({{1, device.path()}});
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_REOPEN, nullptr), -2) << "COM4 no longer has it";
}

TEST_F(Entry, StoreSendsWriteAndIgnoresTheAnswer)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    device.on("AT&W", {{0ms, "\r\nERROR\r\n"}});
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_STORE, nullptr), 0);
    EXPECT_EQ(device.lines().back(), "AT&W");
}

TEST_F(Entry, PingCountsAnyReply)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING2, nullptr), -1) << "no answer to AT";
    device.on("AT", {{0ms, "\r\nERROR\r\n"}});
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, nullptr), 1);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING2, nullptr), 1);
}

TEST_F(Entry, APortHeldByAnotherProgramIsSkipped)
{
    FakeDevice held;
    held.identify_as("KLM-230S");
    FakeDevice free;
    free.identify_as("KLM-220S");
    ComPorts ports({{1, held.path()}, {2, free.path()}});
    int other = ::open(held.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    EXPECT_TRUE(held.lines().empty());
    EXPECT_EQ(device_info().port, 1);
    ::close(other);
}

TEST_F(Entry, RecordsAreRequiredWhereTheCodeUsesOne)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    std::size_t before = device.lines().size();
    for (uint32_t code : {4u, 8u, 29u, 30u, 31u, 34u, 37u, 38u, 40u, 46u, 52u, 56u, 66u})
        EXPECT_EQ(D_SendDrvCmd(code, nullptr), q30::kResultRefused) << code;
    EXPECT_EQ(device.lines().size(), before);
}

TEST_F(Entry, GenericQueryRecordsTheLineAndTheDevicesAcceptance)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    device.on_ok("ATS95?", "0,12");
    device.on("ATS95=0,20", {{0ms, "\r\nERROR\r\n"}});
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);

    DrvCmd r = testsupport::record();
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), 0);
    EXPECT_EQ(r.code, q30::DRV_CHARGE_UNIT);
    EXPECT_STREQ(r.text, "ATS95?");
    EXPECT_EQ(r.replied, 1);
    EXPECT_EQ(r.ok, 1);

    r = testsupport::record();
    r.op = q30::OP_SET;
    q30::record::set_str(r, "0,20");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), 0) << "a rejected set still had a reply";
    EXPECT_EQ(r.replied, 1);
    EXPECT_EQ(r.ok, 0);
}

TEST_F(Entry, GenericQueryWithoutDeviceGivesMinusTwo)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    DrvCmd r = testsupport::record();
    r.replied = 7;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), -2) << "the device does not know ATS95?";
    EXPECT_EQ(r.replied, 0);
}

TEST_F(Entry, TwoThreadsNeverInterleaveTheirLines)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    const std::string longValue(31, '7');
    device.on_ok("ATS95?", "1,0");
    device.on_ok("ATS95=" + longValue);
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);
    std::size_t before = device.lines().size();

    constexpr int kRounds = 40;
    auto query = [] {
        for (int i = 0; i < kRounds; ++i) {
            DrvCmd r = testsupport::record();
            EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), 0);
            EXPECT_EQ(r.ok, 1);
        }
    };
    auto set = [&] {
        for (int i = 0; i < kRounds; ++i) {
            DrvCmd r = testsupport::record();
            r.op = q30::OP_SET;
            q30::record::set_str(r, longValue);
            EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), 0);
            EXPECT_EQ(r.ok, 1);
        }
    };
    std::thread a(query), b(set);
    a.join();
    b.join();
    auto lines = device.lines();
    ASSERT_EQ(lines.size(), before + 2 * kRounds);
    const std::set<std::string> expected{"ATS95?", "ATS95=" + longValue};
    for (std::size_t i = before; i < lines.size(); ++i)
        EXPECT_TRUE(expected.count(lines[i])) << lines[i];
}

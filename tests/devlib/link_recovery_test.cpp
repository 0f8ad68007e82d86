// Through the exported entry point: answers that come too late, a device that
// floods the line, and a device whose node is replaced behind its COM path.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "fake_device.h"
#include "q30com32/q30com32.h"
#include "records.h"

using namespace std::chrono_literals;
using testsupport::Burst;
using testsupport::ComPorts;
using testsupport::FakeDevice;

namespace {

struct Recovery : ::testing::Test {
    void SetUp() override { D_SendDrvCmd(q30::DRV_CLOSE, nullptr); }
    void TearDown() override { D_SendDrvCmd(q30::DRV_CLOSE, nullptr); }
};

DrvCmd query(uint32_t code)
{
    DrvCmd r = testsupport::record();
    r.replied = 7;
    D_SendDrvCmd(code, &r);
    return r;
}

// A text query either got nothing or its own answer, never another command's.
void expect_own_answer_or_none(const DrvCmd& r, const std::string& own)
{
    if (r.replied == 1 && r.ok == 1) {
        EXPECT_EQ(q30::record::str(r), own) << r.text;
    }
}

} // namespace

TEST_F(Recovery, AStalledDeviceThatResumesDoesNotAnswerTheNextCommandWithTheLastOnesAnswer)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);

    device.on("ATS95?", {{500ms, "\r\n0,12\r\n\r\nOK\r\n"}});
    device.on_ok("ATS96?", "DM");
    const DrvCmd unit = query(q30::DRV_CHARGE_UNIT);
    EXPECT_EQ(unit.replied, 0) << "stalled past its 300 ms";
    const DrvCmd currency = query(q30::DRV_CURRENCY);
    EXPECT_EQ(currency.replied, 1);
    EXPECT_EQ(currency.ok, 1);
    EXPECT_EQ(q30::record::str(currency), "DM") << "the late \"0,12\" was the charge unit's";
}

TEST_F(Recovery, ADeviceThatAlwaysAnswersLateNeverLendsOneCommandAnothersAnswer)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);

    device.on("ATS95?", {{400ms, "\r\n0,12\r\n\r\nOK\r\n"}});
    device.on("ATS96?", {{400ms, "\r\nDM\r\n\r\nOK\r\n"}});
    device.on("ATS76?", {{400ms, "\r\n089\r\n\r\nOK\r\n"}});
    for (int round = 0; round < 2; ++round) {
        expect_own_answer_or_none(query(q30::DRV_CHARGE_UNIT), "0,12");
        expect_own_answer_or_none(query(q30::DRV_CURRENCY), "DM");
        expect_own_answer_or_none(query(q30::DRV_LOCAL_CODE), "089");
    }
    // Once the device is prompt again, so is the library.
    device.on_ok("ATS96?", "DM");
    const DrvCmd currency = query(q30::DRV_CURRENCY);
    EXPECT_EQ(currency.ok, 1);
    EXPECT_EQ(q30::record::str(currency), "DM");
}

TEST_F(Recovery, AFloodingDeviceReleasesTheLibraryWithinTheBound)
{
    FakeDevice device;
    device.identify_as("KLM-230S");
    ComPorts ports({{1, device.path()}});
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);

    device.start_streaming("\r\nRING\r\n" + std::string(56, 'x'));
    const std::size_t linesBefore = device.lines().size();
    std::thread caller([&] {
        DrvCmd r = testsupport::record();
        EXPECT_EQ(D_SendDrvCmd(q30::DRV_CHARGE_UNIT, &r), 0);
        EXPECT_EQ(r.ok, 0) << "a flood is no accepted answer";
    });
    // Once the query's line is on the wire, the caller holds the lock; the
    // no-op waits for it, so its return shows that the query let go while
    // the device still floods.
    EXPECT_TRUE(device.wait_for_lines(linesBefore + 1, 5s));
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_NOP, nullptr), 0);
    caller.join();

    device.stop_streaming();
    device.on_ok("ATS96?", "DM");
    const DrvCmd currency = query(q30::DRV_CURRENCY);
    EXPECT_EQ(currency.ok, 1);
    EXPECT_EQ(q30::record::str(currency), "DM") << "the link is in step again once the line is quiet";
}

TEST_F(Recovery, ReopenFindsTheDeviceAgainWhenItsNodeWasReplaced)
{
    const std::string dir = std::filesystem::temp_directory_path() / ("quillon-reopen-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string comPath = dir + "/com1";
    auto point_at = [&](const std::string& target) {
        std::filesystem::remove(comPath);
        std::filesystem::create_symlink(target, comPath);
    };
    ComPorts ports({{1, comPath}});

    auto first = std::make_unique<FakeDevice>();
    first->identify_as("KLM-230S");
    point_at(first->path());
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr), 0);

    // Unplugged: the node is gone and the path dangles.
    first->hang_up();
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, nullptr), -1);
    first.reset();
    point_at(dir + "/no-such-node");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_REOPEN, nullptr), -2);

    // Plugged in again: a new node behind the same path.
    FakeDevice second;
    second.identify_as("KLM-230S", "1.4.0");
    second.on_ok("AT");
    point_at(second.path());
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_REOPEN, nullptr), 0);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, nullptr), 1);
    DrvCmd info = testsupport::record();
    D_SendDrvCmd(q30::DRV_DEVICE_INFO, &info);
    EXPECT_STREQ(info.text, "1.4.0");
    EXPECT_EQ(info.port, 0) << "still COM1";
    std::filesystem::remove_all(dir);
}

TEST_F(Recovery, AReopenOfAMissingNodeSendsNothingAndWaitsForNothing)
{
    char file[] = "/tmp/quillon-trace-XXXXXX";
    int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        testsupport::ScopedEnv traceTo("Q30COM32_TRACE", file);
        ComPorts ports;  // COM1 points at a path that does not exist
        EXPECT_EQ(D_SendDrvCmd(q30::DRV_REOPEN, nullptr), -2);
    }
    std::ifstream in(file);
    std::string all((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(all.find("->"), std::string::npos) << "no line was sent, so no reply was waited for:\n" << all;
    ::unlink(file);
}

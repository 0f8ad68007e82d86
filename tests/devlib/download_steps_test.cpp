// The firmware download steps, dial back and the long reply time-outs, on a
// private command layer talking to scripted devices.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <vector>

#include <termios.h>

#include "driver.h"
#include "fake_device.h"
#include "records.h"

using namespace std::chrono_literals;
using testsupport::Burst;
using testsupport::ComPorts;
using testsupport::FakeDevice;

namespace {

struct Steps : ::testing::Test {
    FakeDevice device;
    ComPorts ports{{{1, device.path()}}};
    q30::Driver driver;

    void SetUp() override
    {
        device.identify_as("KLM-230S");
        ASSERT_EQ(driver.send(q30::DRV_FIND_DEVICE, nullptr), 0);
        driver.set_boot_reset_timing({50ms, 50ms});
    }
    int32_t send(uint32_t code)
    {
        DrvCmd r = testsupport::record();
        return driver.send(code, &r);
    }
};

} // namespace

TEST_F(Steps, CallCheckTellsIdleFromBusy)
{
    device.on_ok("ATC?", "0");
    EXPECT_EQ(driver.send(q30::DRV_CALL_CHECK, nullptr), 1);
    device.on_ok("ATC?", "1");
    EXPECT_EQ(driver.send(q30::DRV_CALL_CHECK, nullptr), 0);
    device.on("ATC?", {});
    EXPECT_EQ(driver.send(q30::DRV_CALL_CHECK, nullptr), -1);
}

TEST_F(Steps, DownloadStartSendsTheLineAndReadsNothing)
{
    device.on("AT!DOWNLOAD", {{0ms, "unexpected"}});
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_START, nullptr), 1);
    ASSERT_TRUE(device.wait_for_lines(6, 2s));
    EXPECT_EQ(device.lines().back(), "AT!DOWNLOAD");
    // Whatever the device says stays on the line for the next read.
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 1);
}

TEST_F(Steps, RawDataArrivesAsItIs)
{
    std::vector<char> block(512);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    DrvCmd r = testsupport::record();
    q30::record::set_caller_buffer(r, block.data(), static_cast<int32_t>(block.size()));
    q30::record::set_byte_count(r, 512);
    std::size_t before = device.all_bytes().size();
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), 1);
    for (int i = 0; i < 200 && device.all_bytes().size() < before + 512; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(device.all_bytes().substr(before), std::string(block.begin(), block.end()));
}

TEST_F(Steps, RawDataOutsideTheCallersBufferIsRefused)
{
    char block[16] = {};
    std::size_t before = device.all_bytes().size();
    DrvCmd r = testsupport::record();
    q30::record::set_caller_buffer(r, block, sizeof block);
    q30::record::set_byte_count(r, 17);
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), q30::kResultRefused) << "count beyond the buffer";
    q30::record::set_byte_count(r, -1);
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), q30::kResultRefused) << "negative count";
    q30::record::set_caller_buffer(r, nullptr, 16);
    q30::record::set_byte_count(r, 4);
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), q30::kResultRefused) << "no buffer";
    q30::record::set_caller_buffer(r, block, 0);
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), q30::kResultRefused) << "no capacity";
    q30::record::set_caller_buffer(r, block, sizeof block);
    q30::record::set_byte_count(r, 0);
    EXPECT_EQ(driver.send(q30::DRV_WRITE_RAW, &r), 1) << "an empty block is harmless";
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(device.all_bytes().size(), before);
}

TEST_F(Steps, TheVerdictIsReadByItsWords)
{
    device.send("\r\nUPGRADE SUCCESSFUL\r\n");
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 3);
    device.send("\r\nUPGRADE FAIL\r\n");
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 2);
    device.send("\r\nREADY\r\n");
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 1);
}

TEST_F(Steps, TheVerdictIsAwaitedForEightSeconds)
{
    std::thread late([&] {
        std::this_thread::sleep_for(5s);
        device.send("\r\nUPGRADE SUCCESSFUL\r\n");
    });
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 3);
    late.join();
}

TEST_F(Steps, ForwardingRepliesAreAwaitedForFiveSeconds)
{
    device.on("AT!P20#11?", {{2500ms, "\r\n0\r\n\r\nOK\r\n"}});
    DrvCmd r = testsupport::record();
    r.port = 11;
    EXPECT_EQ(driver.send(q30::DRV_FORWARD_20, &r), 0);
    EXPECT_EQ(r.replied, 1);
    EXPECT_EQ(r.ok, 1);
}

TEST_F(Steps, DialBackReturnsTheSecondAnswer)
{
    device.on("AT!P24#21=0891234", {{0ms, "\r\nOK\r\n"}, {1500ms, "\r\nNO CARRIER\r\n"}});
    DrvCmd r = testsupport::record();
    r.port = 21;
    q30::record::set_str(r, "0891234");
    EXPECT_EQ(driver.send(q30::DRV_P24, &r), 0);
    EXPECT_STREQ(r.text, "AT!P24#21=0891234");

    device.on("AT!P24#21=0891234", {{0ms, "\r\nOK\r\n"}});
    EXPECT_EQ(driver.send(q30::DRV_P24, &r), -2) << "no second answer";
}

TEST_F(Steps, BootResetFindsADeviceWaitingInItsBootLoader)
{
    device.on("ATC?", {});
    std::thread loader([&] {
        for (int i = 0; i < 4; ++i) {
            std::this_thread::sleep_for(40ms);
            device.send("\r\nFAIL\r\n");
        }
    });
    DrvCmd r = testsupport::record();
    r.port = 5;  // COM6: the port is taken as the device's from now on
    EXPECT_EQ(driver.send(q30::DRV_BOOT_RESET, &r), 2);
    loader.join();
    EXPECT_EQ(driver.identity().comIndex, 5);
    EXPECT_EQ(device.line_speed(), static_cast<unsigned>(B19200));
}

TEST_F(Steps, BootResetWithoutAnswerOrWithoutFailIsOne)
{
    DrvCmd r = testsupport::record();
    r.port = 0;
    EXPECT_EQ(driver.send(q30::DRV_BOOT_RESET, &r), 1);
    device.send("\r\nOK\r\n");
    EXPECT_EQ(driver.send(q30::DRV_BOOT_RESET, &r), 1);
}

TEST_F(Steps, BootOpenOfAPortThatCannotBeOpenedIsOne)
{
    DrvCmd r = testsupport::record();
    r.port = 3;  // COM4 points nowhere
    EXPECT_EQ(driver.send(q30::DRV_BOOT_OPEN, &r), 1);
    r.port = 99;
    EXPECT_EQ(driver.send(q30::DRV_BOOT_OPEN, &r), 1);
}

TEST_F(Steps, SetSpeedChangesTheLineAndIdentifiesAgain)
{
    DrvCmd r = testsupport::record();
    r.port = 0;
    EXPECT_EQ(driver.send(q30::DRV_BOOT_RESET, &r), 1);
    EXPECT_EQ(device.line_speed(), static_cast<unsigned>(B19200));
    std::size_t before = device.lines().size();
    device.identify_as("KLM-230S", "1.4.0", "1.03");
    r.value = 0x101;  // only the low byte counts
    EXPECT_EQ(driver.send(q30::DRV_SET_SPEED, &r), 1);
    EXPECT_EQ(device.line_speed(), static_cast<unsigned>(B115200));
    EXPECT_EQ(device.lines().size(), before + 5);
    EXPECT_EQ(driver.identity().firmware, "1.4.0");
    EXPECT_EQ(driver.identity().bootCode, "1.03");
}

TEST_F(Steps, TheBootResetLowersDtrWaitsAndRaisesItAgain)
{
    std::vector<std::pair<bool, std::chrono::steady_clock::time_point>> changes;
    driver.link().observe_dtr([&](bool on) { changes.emplace_back(on, std::chrono::steady_clock::now()); });
    DrvCmd r = testsupport::record();
    EXPECT_EQ(driver.send(q30::DRV_BOOT_RESET, &r), 1);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_FALSE(changes[0].first) << "lowered first";
    EXPECT_TRUE(changes[1].first) << "then raised";
    EXPECT_GE(changes[1].second - changes[0].second, 50ms) << "held low for the reset's wait";
}

TEST_F(Steps, InformationTextsEndAtTheirBackspaceWithOrWithoutAFinalCode)
{
    char buffer[256];
    auto read_text = [&](uint32_t code) {
        DrvCmd r = testsupport::record();
        q30::record::set_caller_buffer(r, buffer, sizeof buffer);
        EXPECT_EQ(driver.send(code, &r), 0);
        EXPECT_EQ(r.ok, 1) << "no OK is needed";
        return std::string(buffer);
    };
    device.on("AT\\S0?", {{0ms, "\r\nLine & more\r\n"}, {5ms, "ok\r\n\b"}, {5ms, "\r\n\r\nOK\r\n"}});
    EXPECT_EQ(read_text(q30::DRV_ISDN_S0), "Line && more\r\nok\r\n");
    device.on("AT\\S1?", {{0ms, "\r\nLayer 2\r\n\b"}});
    EXPECT_EQ(read_text(q30::DRV_ISDN_S1), "Layer 2\r\n") << "no final code: the line falls quiet";
    device.on_ok("ATS91?", "1");
    DrvCmd r = testsupport::record();
    EXPECT_EQ(driver.send(q30::DRV_LANGUAGE, &r), 0);
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.value, 1) << "nothing of the texts was left over";
}

TEST_F(Steps, TheVerdictEndsWhenTheLineFallsQuietNotAtAFinalCode)
{
    // A verdict after an earlier "OK" in the same burst still counts.
    device.send("\r\nOK\r\n\r\nUPGRADE SUCCESSFUL\r\n");
    EXPECT_EQ(driver.send(q30::DRV_DOWNLOAD_RESULT, nullptr), 3);
}

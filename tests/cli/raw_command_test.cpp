// quillon-cli raw as a script runs it, against the emulated device: what it
// sends, how its exit status tells success from a refusal, a silent device
// and a bad command line, and that bad arguments never reach the device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli_process.h"
#include "device.h"
#include "fake_device.h"
#include "pages/rom_identity.h"
#include "pty_server.h"
#include "../test_folder_name.h"

namespace {

using clitest::CliRun;
using clitest::has;

constexpr int kDone = 0;
constexpr int kDeviceFailed = 1;
constexpr int kBadUsage = 2;

// The emulator on COM1 for one test; COM2..COM8 lead nowhere.
struct RawOnEmulator : ::testing::Test {
    std::unique_ptr<q30sim::Device> device;
    std::unique_ptr<q30sim::PtyServer> server;
    std::unique_ptr<testsupport::ComPorts> ports;
    std::filesystem::path scratch;

    void start(q30sim::DeviceOptions options = {})
    {
        device = std::make_unique<q30sim::Device>(options);
        server = std::make_unique<q30sim::PtyServer>(*device);
        std::string error;
        ASSERT_TRUE(server->start(error)) << error;
        ports = std::make_unique<testsupport::ComPorts>(std::map<int, std::string>{{1, server->slave_path()}});
    }
    void SetUp() override
    {
        scratch = std::filesystem::temp_directory_path() / test_folder_name("quillon-raw-");
        std::filesystem::create_directories(scratch);
    }
    void TearDown() override
    {
        if (server)
            server->stop();
        std::filesystem::remove_all(scratch);
    }

    CliRun raw(std::vector<std::string> args)
    {
        args.insert(args.begin(), "raw");
        return clitest::run_quillon_cli(args);
    }
    std::vector<std::string> received()
    {
        return server->with_device([](q30sim::Device& d) { return d.commands_seen(); });
    }
    std::string last_received()
    {
        auto lines = received();
        return lines.empty() ? std::string() : lines.back();
    }
    // Each argument list is refused as bad usage with `message`, and the device hears nothing of it.
    void expect_refused_unsent(const std::vector<std::vector<std::string>>& cases, const std::string& message)
    {
        for (const auto& args : cases) {
            const std::size_t before = received().size();
            CliRun r = raw(args);
            std::string shown;
            for (const auto& a : args)
                shown += a + " ";
            EXPECT_EQ(r.status, kBadUsage) << shown << "\n" << r.output;
            EXPECT_TRUE(has(r.output, message)) << shown << "\n" << r.output;
            EXPECT_FALSE(has(r.output, "result:")) << shown << "\n" << r.output;
            EXPECT_EQ(received().size(), before) << shown;
        }
    }
    std::string file_of(std::size_t size, const std::string& name)
    {
        const std::string path = (scratch / name).string();
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
        return path;
    }
};

TEST_F(RawOnEmulator, ExitStatusSeparatesDoneRefusedAndUnanswered)
{
    q30sim::DeviceOptions options;
    options.rejectPrefixes = {"ATS91=2"};
    options.silentFrom = "ATS95";
    start(options);

    CliRun accepted = raw({"DRV_LANGUAGE", "--op", "1", "--value", "1"});
    EXPECT_EQ(accepted.status, kDone) << accepted.output;
    EXPECT_EQ(last_received(), "ATS91=1");

    CliRun refused = raw({"DRV_LANGUAGE", "--op", "1", "--value", "2"});
    EXPECT_EQ(refused.status, kDeviceFailed) << refused.output;
    EXPECT_TRUE(has(refused.output, "the device refused the command")) << refused.output;

    // A list read without a buffer for the list cannot go on the line.
    const std::size_t before = received().size();
    CliRun libraryRefused = raw({"DRV_CALL_RECORD", "--no-search"});
    EXPECT_EQ(libraryRefused.status, kDeviceFailed) << libraryRefused.output;
    EXPECT_TRUE(has(libraryRefused.output, "result:   -3")) << libraryRefused.output;
    EXPECT_TRUE(has(libraryRefused.output, "the library refused the record")) << libraryRefused.output;
    EXPECT_EQ(received().size(), before);

    CliRun unanswered = raw({"DRV_CHARGE_UNIT"});
    EXPECT_EQ(unanswered.status, kDeviceFailed) << unanswered.output;
    EXPECT_TRUE(has(unanswered.output, "result:   -2")) << unanswered.output;
    EXPECT_TRUE(has(unanswered.output, "the device did not answer")) << unanswered.output;
}

TEST_F(RawOnEmulator, ExitStatusWithoutDeviceOrWithoutCommand)
{
    testsupport::ComPorts none;
    CliRun noDevice = raw({"DRV_LANGUAGE"});
    EXPECT_EQ(noDevice.status, kDeviceFailed) << noDevice.output;
    EXPECT_TRUE(has(noDevice.output, "no device answered")) << noDevice.output;

    EXPECT_EQ(raw({}).status, kBadUsage);
    CliRun help = raw({"--help"});
    EXPECT_EQ(help.status, kDone);
    EXPECT_TRUE(has(help.output, "at most " + std::to_string(quillon::kRomSize) + " bytes")) << help.output;
}

TEST_F(RawOnEmulator, NumbersAreWholeDecimalsInInt32Range)
{
    start();
    CliRun leadingZero = raw({"DRV_MSN", "--port", "11", "--index", "010"});
    EXPECT_NE(leadingZero.status, kBadUsage) << leadingZero.output;
    EXPECT_EQ(last_received(), "AT!P0#11*10?");

    CliRun byNumber = raw({"066"});
    EXPECT_EQ(byNumber.status, kDone) << byNumber.output;
    EXPECT_TRUE(has(byNumber.output, "command:  66 DRV_CURRENCY")) << byNumber.output;

    expect_refused_unsent({{"DRV_MSN", "--index", "12abc"},
                           {"DRV_MSN", "--index", "0x10"},
                           {"DRV_MSN", "--index", " 5"},
                           {"DRV_MSN", "--port", "2147483648"},
                           {"DRV_MSN", "--value", "-2147483649"},
                           {"DRV_MSN", "--from", ""},
                           {"DRV_DATA_PARAM", "--protocol", "4x"}},
                          "wants a decimal number in 32-bit range");
    expect_refused_unsent({{"DRV_MSN", "--buffer-size", "0"}, {"DRV_MSN", "--buffer-size", "1048577"}},
                          "--buffer-size wants a number from 1 to 1048576");
    expect_refused_unsent({{"67"}, {"-1"}, {"65540"}}, "is not one of 0..66");
    expect_refused_unsent({{"4abc"}, {"DRV_NO_SUCH"}}, "unknown command");
}

TEST_F(RawOnEmulator, MissingValuesAndStrayArgumentsAreNamed)
{
    start();
    expect_refused_unsent({{"DRV_MSN", "--index"}, {"DRV_MSN", "--str", "--port", "11"}}, "needs a value");
    expect_refused_unsent({{"DRV_MSN", "--bogus", "1"}, {"DRV_MSN", "--no-search", "-x"}}, "unknown option");
    expect_refused_unsent({{"DRV_MSN", "11"}}, "unexpected argument '11'");
}

TEST_F(RawOnEmulator, TextsLongerThanTheirFieldAreRefusedNotCut)
{
    start();
    const std::string fits(31, '7');
    raw({"DRV_MSN", "--port", "11", "--op", "1", "--str", fits});
    EXPECT_EQ(last_received(), "AT!P0#11*0=" + fits);

    expect_refused_unsent({{"DRV_MSN", "--op", "1", "--str", fits + "8"}}, "--str holds at most 31 characters");
    expect_refused_unsent({{"DRV_LCR_PREFIX", "--str2", std::string(40, 'a')}}, "--str2 holds at most 31");
    expect_refused_unsent({{"DRV_DATA_P3P4", "--data-text", std::string(92, '1')}}, "holds at most 91");
}

TEST_F(RawOnEmulator, FileIsReadOnlyAsFarAsTheCommandCanSend)
{
    start();
    expect_refused_unsent({{"DRV_WRITE_RAW", "--file", scratch.string()}}, "Is a directory");
    expect_refused_unsent({{"34", "--file", "/dev/zero"}}, "holds more than 524288 bytes");
    expect_refused_unsent({{"34", "--file", file_of(quillon::kRomSize + 1, "over")}}, "holds more than");
    expect_refused_unsent({{"34", "--file", file_of(0, "empty")}}, "is empty");
    expect_refused_unsent({{"34", "--file", (scratch / "absent").string()}}, "No such file");

    CliRun whole = raw({"34", "--file", file_of(quillon::kRomSize, "image")});
    EXPECT_EQ(whole.status, kDone) << whole.output;
    EXPECT_TRUE(has(whole.output, "result:   1")) << whole.output;
}

TEST_F(RawOnEmulator, OptionsSharingRecordBytesAreNotCombined)
{
    start();
    const std::string data = file_of(16, "data");
    expect_refused_unsent({{"DRV_DATA_PARAM", "--str", "1", "--protocol", "4"},
                           {"34", "--file", data, "--buffer-size", "100"},
                           {"34", "--str", "x", "--file", data},
                           {"DRV_CLOCK", "--value", "5", "--time", "01/02/2024-10:11:12"},
                           {"DRV_DATA_P3P4", "--str3", "x", "--data-text", "y"}},
                          "fill the same bytes of the record");

    // A morning call has no year, so its `value` stays the caller's.
    CliRun wakeup = raw({"DRV_WAKEUP", "--port", "11", "--op", "4", "--value", "9", "--time", "01/01/2000-07:30"});
    EXPECT_EQ(wakeup.status, kDone) << wakeup.output;
    EXPECT_EQ(last_received(), "AT!P18#11=07:30");
    EXPECT_TRUE(has(wakeup.output, "value:    9\n")) << wakeup.output;
}

TEST_F(RawOnEmulator, TimeIsADateAndTimeWithinCalendarRanges)
{
    start();
    CliRun set = raw({"DRV_CLOCK", "--op", "4", "--time", "29/02/2024-23:59:58"});
    EXPECT_EQ(set.status, kDone) << set.output;
    EXPECT_EQ(last_received(), "AT!T=29/02/2024 23:59:58");

    std::vector<std::vector<std::string>> bad;
    for (const char* t : {"32/01/2024-10:00", "00/01/2024-10:00", "01/13/2024-10:00", "01/01/2024-24:00",
                          "01/01/2024-10:60", "01/01/2024-10:00:60", "01/01/2024-10", "01/01/2024-10:00:00x",
                          "01/01/2024-10:00:", "1/1/2024 10:00", "01/01/-2024-10:00", "01/01/12024-10:00",
                          "300/01/2024-10:00"})
        bad.push_back({"DRV_CLOCK", "--op", "4", "--time", t});
    expect_refused_unsent(bad, "--time wants DD/MM/YYYY-hh:mm:ss");
}

} // namespace

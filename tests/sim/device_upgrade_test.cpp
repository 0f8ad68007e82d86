// What the emulated device does around a firmware upgrade that tests and
// demos ask for: a failing or silent transfer, a pulled cable, factory
// settings after the upgrade, the image's versions reported afterwards, and
// the test image q30sim writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "device_harness.h"
#include "firmware_image.h"

namespace q30sim::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr std::size_t kBlock = 512;

std::string send_image(DeviceHarness& h, const std::vector<std::uint8_t>& image)
{
    const std::string bytes(image.begin(), image.end());
    std::string said;
    for (std::size_t at = 0; at < bytes.size(); at += kBlock)
        said += h.feed(std::string_view(bytes).substr(at, kBlock));
    return said + h.advance(10ms);
}

TEST(DeviceUpgrade, ReportsTheVersionsOfTheImageItTook)
{
    DeviceHarness h({.firmware = "1.3.4", .bootCode = "1.02"});
    h.send("AT!DOWNLOAD");
    send_image(h, make_firmware_image(Model::Q30, "1.4.0", "1.07"));
    h.send("ATE0");
    EXPECT_EQ(h.answer("ATI3"), (std::vector<std::string>{"1.4.0", "BOOT CODE 1.07"}));
}

TEST(DeviceUpgrade, OptionsThatSpoilTheTransfer)
{
    const auto good = make_firmware_image(Model::Q30, "1.4.0");
    {
        SCOPED_TRACE("--fail-download: even a good image fails into the boot loader");
        DeviceHarness h({.failDownload = true});
        h.send("AT!DOWNLOAD");
        EXPECT_NE(send_image(h, good).find("UPGRADE FAIL"), std::string::npos);
        EXPECT_TRUE(h.device.in_boot_loader());
        EXPECT_EQ(h.device.firmware(), "1.3.4");
    }
    {
        SCOPED_TRACE("--no-verdict: no word after the image, and none later");
        DeviceHarness h({.noVerdict = true});
        h.send("AT!DOWNLOAD");
        EXPECT_EQ(send_image(h, good), "");
        EXPECT_EQ(h.advance(3s), "");
        EXPECT_EQ(h.send("AT"), "");
    }
    {
        SCOPED_TRACE("--silent-from: answers up to the first such command, then nothing");
        DeviceHarness h({.silentFrom = "ATC"});
        EXPECT_EQ(h.value("ATI4"), "KLM-230S");
        EXPECT_EQ(h.send("ATC?"), "");
        EXPECT_EQ(h.send("AT"), "");
        EXPECT_EQ(h.device.commands_seen().back(), "ATC?");
    }
}

TEST(DeviceUpgrade, SettingsSurviveAnUpgradeUnlessTheFirmwareStartsFresh)
{
    for (bool resets : {false, true}) {
        SCOPED_TRACE(resets ? "--upgrade-resets" : "default");
        DeviceHarness h({.upgradeResets = resets});
        ASSERT_TRUE(h.accepted("AT!P9#11=5"));
        h.send("AT!DOWNLOAD");
        send_image(h, make_firmware_image(Model::Q30, "1.4.0"));
        h.send("ATE0");
        const std::string factory = DeviceHarness().device.setting("!P9#11");
        ASSERT_NE(factory, "5");
        EXPECT_EQ(h.device.setting("!P9#11"), resets ? factory : "5");
        EXPECT_EQ(h.device.firmware(), "1.4.0");
    }
}

TEST(DeviceUpgrade, ProgramWritesATestImageAndExits)
{
    const fs::path dir = fs::temp_directory_path() / ("q30sim-rom-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path rom = dir / "upgrade.q3u";
    const std::string command = std::string(Q30SIM_PROGRAM) + " --model q30-usb --firmware 2.0.1 --boot-code 1.09" +
                                " --write-rom " + rom.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(rom, std::ios::binary);
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(image.size(), kFirmwareImageSize);
    const ImageIdentity identity = read_image_identity(image);
    EXPECT_EQ(identity.orderNumber, "KLM-230S USB");
    EXPECT_EQ(identity.version, "2.0.1");
    EXPECT_EQ(identity.bootCode, "1.09");
    // Nothing but the image is left behind, and a bad place is an error.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    const std::string bad = std::string(Q30SIM_PROGRAM) + " --write-rom " + (dir / "no" / "such.q30").string() +
                            " 2>/dev/null";
    EXPECT_NE(std::system(bad.c_str()), 0);
    fs::remove_all(dir);
}

} // namespace
} // namespace q30sim::testing

// Firmware download: verdicts, the boot loader, and the gap that discards a partial image.
#include <gtest/gtest.h>

#include "device_harness.h"
#include "device_texts.h"
#include "firmware_image.h"

namespace q30sim::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kBlock = 512;

std::string as_bytes(const std::vector<std::uint8_t>& image)
{
    return std::string(image.begin(), image.end());
}

// Sends the image in blocks as the program does; returns what the device said.
std::string send_image(DeviceHarness& h, const std::string& image, std::chrono::milliseconds perBlock = 0ms)
{
    std::string out;
    for (std::size_t at = 0; at < image.size(); at += kBlock) {
        out += h.feed(std::string_view(image).substr(at, kBlock));
        if (perBlock > 0ms)
            out += h.advance(perBlock);
    }
    return out;
}

int count(const std::string& text, std::string_view word)
{
    int n = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

TEST(DeviceDownload, MatchingImageUpgradesAndRestartsTheDevice)
{
    DeviceHarness h;
    ASSERT_TRUE(h.accepted("AT!P9#11=5"));
    EXPECT_EQ(h.send("AT!DOWNLOAD"), "");
    EXPECT_EQ(h.device.mode(), Device::Mode::Download);
    std::string said = send_image(h, as_bytes(make_firmware_image(Model::Q30, "1.4.0")), 1ms);
    EXPECT_NE(said.find("UPGRADE SUCCESSFUL"), std::string::npos) << said;
    EXPECT_EQ(said.find("FAIL"), std::string::npos);
    EXPECT_EQ(h.device.firmware(), "1.4.0");
    EXPECT_EQ(h.device.mode(), Device::Mode::Command);
    // Freshly started: echo on again, settings kept.
    EXPECT_EQ(h.send("AT"), "AT\r\r\nOK\r\n");
    h.send("ATE0");
    EXPECT_EQ(h.answer("ATI3")->front(), "1.4.0");
    EXPECT_EQ(h.value("AT!P9#11?"), "5");
}

TEST(DeviceDownload, ImageForAnotherModelFailsIntoTheBootLoader)
{
    struct Case {
        Model device, image;
    };
    for (Case c : {Case{Model::Q30, Model::Q20}, Case{Model::Q30, Model::Q30Usb}, Case{Model::Q30Usb, Model::Q30},
                   Case{Model::Q20, Model::Q30}}) {
        SCOPED_TRACE(std::string(model_name(c.device)) + " <- " + std::string(model_name(c.image)));
        DeviceHarness h({.model = c.device});
        h.send("AT!DOWNLOAD");
        std::string said = send_image(h, as_bytes(make_firmware_image(c.image, "9.9.9")));
        EXPECT_NE(said.find("UPGRADE FAIL"), std::string::npos) << said;
        EXPECT_EQ(said.find("ESSFUL"), std::string::npos);
        EXPECT_TRUE(h.device.in_boot_loader());
        EXPECT_EQ(h.device.firmware(), "1.3.4");
    }
}

TEST(DeviceDownload, PauseOfMoreThanASecondDiscardsWhatArrived)
{
    DeviceHarness h;
    h.send("AT!DOWNLOAD");
    std::string image = as_bytes(make_firmware_image(Model::Q30, "1.4.0"));
    std::string_view half = std::string_view(image).substr(0, image.size() / 2);
    EXPECT_EQ(h.feed(half), "");
    h.advance(1100ms);
    // The second half alone is not an image.
    EXPECT_EQ(h.feed(std::string_view(image).substr(image.size() / 2)), "");
    EXPECT_EQ(h.device.firmware(), "1.3.4");
    h.advance(1100ms);
    // A pause up to a second is fine.
    h.feed(half);
    h.advance(900ms);
    std::string said = h.feed(std::string_view(image).substr(image.size() / 2));
    EXPECT_NE(said.find("UPGRADE SUCCESSFUL"), std::string::npos);
}

TEST(DeviceDownload, BootLoaderSaysFailOnlyWhileThePortIsOpen)
{
    DeviceHarness h({.bootMode = true}, false);
    ASSERT_TRUE(h.device.in_boot_loader());
    std::string said;
    for (int i = 0; i < 50; ++i)
        said += h.advance(100ms);
    EXPECT_EQ(said, "");
    EXPECT_FALSE(h.device.next_deadline());

    h.device.set_port_open(true);
    auto last = h.now;
    int lines = 0;
    for (int i = 0; i < 100; ++i) {
        if (h.advance(100ms).find("FAIL") != std::string::npos) {
            EXPECT_LE(h.now - last, 2s);
            last = h.now;
            ++lines;
        }
    }
    EXPECT_GE(lines, 5);
    ASSERT_TRUE(h.device.next_deadline());
    EXPECT_LE(*h.device.next_deadline(), h.now + 2s);

    h.device.set_port_open(false);
    said.clear();
    for (int i = 0; i < 50; ++i)
        said += h.advance(100ms);
    EXPECT_EQ(said, "");
}

TEST(DeviceDownload, BootLoaderAnswersNoCommandButTakesAnImage)
{
    DeviceHarness h({.bootMode = true}, false);
    h.device.set_port_open(true);
    EXPECT_EQ(h.send("ATI4"), "");
    h.advance(1100ms); // the stray command is discarded as a broken image
    std::string said = send_image(h, as_bytes(make_firmware_image(Model::Q30, "1.3.5")), 1ms);
    EXPECT_EQ(count(said, "UPGRADE SUCCESSFUL"), 1);
    EXPECT_FALSE(h.device.in_boot_loader());
    h.send("ATE0");
    EXPECT_EQ(h.value("ATI4"), "KLM-230S");
}

TEST(DeviceDownload, NobodyReadingDoesNotGrowTheOutputWithoutBound)
{
    DeviceHarness h({.bootMode = true}, false);
    h.device.set_port_open(true);
    for (int i = 0; i < 5000; ++i) {
        h.now += 1s;
        h.device.tick(h.now);
    }
    EXPECT_LE(h.device.take_output().size(), Device::kMaxPendingOutput);
}

TEST(DeviceDownload, ImageIdentityLayout)
{
    auto image = make_firmware_image(Model::Q30Usb, "1.3.9", "1.05");
    ASSERT_EQ(image.size(), kFirmwareImageSize);
    ImageIdentity id = read_image_identity(image);
    EXPECT_EQ(id.orderNumber, "KLM-230S USB");
    EXPECT_EQ(id.version, "1.3.9");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[kBootCodeOffset])), "1.05");
    // Too long a version is cut to its field, never written past it.
    EXPECT_EQ(read_image_identity(make_firmware_image(Model::Q20, std::string(40, '7'))).version,
              std::string(kVersionFieldSize, '7'));
    EXPECT_EQ(read_image_identity(std::vector<std::uint8_t>(100)).orderNumber, "");
}

} // namespace
} // namespace q30sim::testing

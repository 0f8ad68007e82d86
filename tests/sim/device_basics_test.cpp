// Echo, result layouts, identity and the options that make the device misbehave.
#include <gtest/gtest.h>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

TEST(DeviceBasics, EchoesCommandsUntilEchoIsSwitchedOff)
{
    DeviceHarness h({}, /*quiet=*/false);
    EXPECT_EQ(h.send("AT"), "AT\r\r\nOK\r\n");
    // The command that switches echo off is itself still echoed.
    EXPECT_EQ(h.send("ATE0"), "ATE0\r\r\nOK\r\n");
    EXPECT_EQ(h.send("AT"), "\r\nOK\r\n");
    EXPECT_EQ(h.send("ATE1"), "\r\nOK\r\n");
    EXPECT_EQ(h.send("at"), "at\r\r\nOK\r\n");
}

TEST(DeviceBasics, VerboseAndNumericLayouts)
{
    DeviceHarness h;
    EXPECT_EQ(h.send("ATI4"), "\r\nKLM-230S\r\n\r\nOK\r\n");
    EXPECT_EQ(h.send("ATI3"), "\r\n1.3.4\r\nBOOT CODE 1.02\r\n\r\nOK\r\n");
    EXPECT_EQ(h.send("ATXYZ"), "\r\nERROR\r\n");
    EXPECT_EQ(h.send("ATV0"), "0\r");
    EXPECT_EQ(h.send("ATI4"), "KLM-230S\r\n0\r");
    EXPECT_EQ(h.send("ATXYZ"), "4\r");
    EXPECT_EQ(h.send("ATV1"), "\r\nOK\r\n");
}

TEST(DeviceBasics, CommandLinesEndAtCarriageReturnOnly)
{
    DeviceHarness h;
    // A line feed neither ends a command nor becomes part of it.
    EXPECT_EQ(h.feed("AT\n"), "");
    EXPECT_EQ(h.feed("I4\r\n"), "\r\nKLM-230S\r\n\r\nOK\r\n");
    // An empty line is not a command.
    EXPECT_EQ(h.feed("\r"), "");
    EXPECT_EQ(h.device.command_count(), 2u);
    // The command arrives in pieces.
    EXPECT_EQ(h.feed("AT!P9#1"), "");
    EXPECT_EQ(h.feed("1?\r"), "\r\n0\r\n\r\nOK\r\n");
}

TEST(DeviceBasics, RefusesMalformedAndOverlongLines)
{
    DeviceHarness h;
    for (const char* line : {"hello", "A", "AT!", "AT!P9#?", "AT!P9#11?x", "AT!P99999#11?", "ATI", "ATE2", "AT&W?"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
    EXPECT_TRUE(h.refused("AT" + std::string(Device::kMaxCommandLength * 4, '1')));
    EXPECT_TRUE(h.accepted("AT")); // and it still works afterwards
}

TEST(DeviceBasics, OrderNumberFollowsTheModel)
{
    EXPECT_EQ(DeviceHarness({.model = Model::Q20}).value("ATI4"), "KLM-220S");
    EXPECT_EQ(DeviceHarness({.model = Model::Q30Usb}).value("ATI4"), "KLM-230S USB");
    DeviceHarness h({.firmware = "2.0.1", .bootCode = "1.10"});
    auto lines = h.answer("ATI3");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"2.0.1", "BOOT CODE 1.10"}));
}

TEST(DeviceBasics, SilentDeviceSaysNothingAtAll)
{
    DeviceHarness h({.silent = true}, false);
    EXPECT_EQ(h.send("ATE0"), "");
    EXPECT_EQ(h.send("ATI4"), "");
}

TEST(DeviceBasics, GoesDeadAfterTheGivenNumberOfCommands)
{
    DeviceHarness h({.silentAfter = 3}); // ATE0 is the first
    EXPECT_TRUE(h.accepted("AT"));
    EXPECT_EQ(h.value("ATI4"), "KLM-230S");
    EXPECT_EQ(h.send("AT"), "");
    EXPECT_TRUE(h.device.dead());
}

TEST(DeviceBasics, RejectsCommandsWithAGivenPrefix)
{
    DeviceHarness h({.rejectPrefixes = {"AT!P0", "ATS9"}});
    EXPECT_TRUE(h.refused("AT!P0#11*0?"));
    EXPECT_TRUE(h.refused("at!p0#11*0=123"));
    EXPECT_TRUE(h.refused("ATS95?"));
    EXPECT_EQ(h.value("AT!P9#11?"), "0");
    EXPECT_EQ(h.value("ATS76?"), "");
}

TEST(DeviceBasics, KeepsABoundedHistoryOfCommands)
{
    DeviceHarness h;
    for (std::size_t i = 0; i < Device::kCommandHistory + 10; ++i)
        h.send("AT");
    EXPECT_EQ(h.device.command_count(), Device::kCommandHistory + 11);
    EXPECT_EQ(h.device.commands_seen().size(), Device::kCommandHistory);
    EXPECT_EQ(h.device.commands_seen().back(), "AT");
}

TEST(DeviceBasics, CallCheckReportsACallInProgress)
{
    EXPECT_EQ(DeviceHarness().value("ATC?"), "0");
    EXPECT_EQ(DeviceHarness({.callInProgress = true}).value("ATC?"), "1");
}

} // namespace
} // namespace q30sim::testing

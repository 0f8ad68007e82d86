// The command-line options shared by q30sim and the demos.
#include <gtest/gtest.h>

#include "device_options.h"

namespace q30sim {
namespace {

bool parse(std::vector<std::string> args, DeviceOptions& o, std::string& error)
{
    return parse_device_options(args, o, error);
}

TEST(DeviceOptionsParsing, TakesEveryOptionInBothSpellings)
{
    DeviceOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--model", "q30-usb", "--firmware=1.4.0", "--boot-code", "1.10", "--silent", "--boot-mode",
                       "--clock-unset", "--seed", "--no-forwarding-service", "--call", "--reject", "AT!P0",
                       "--reject=ATS9", "--silent-after", "7", "--state", "/tmp/x", "--pace=9600"},
                      o, error))
        << error;
    EXPECT_EQ(o.model, Model::Q30Usb);
    EXPECT_EQ(o.firmware, "1.4.0");
    EXPECT_EQ(o.bootCode, "1.10");
    EXPECT_TRUE(o.silent && o.bootMode && o.clockUnset && o.seed && o.noForwardingService && o.callInProgress);
    EXPECT_EQ(o.rejectPrefixes, (std::vector<std::string>{"AT!P0", "ATS9"}));
    EXPECT_EQ(o.silentAfter, 7);
    EXPECT_EQ(o.stateFile, "/tmp/x");
    EXPECT_EQ(o.paceBaud, 9600);
}

TEST(DeviceOptionsParsing, RefusesBadOptionsWithAMessage)
{
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--model", "q40"}, {"--model"}, {"--pace", "0"}, {"--pace", "fast"}, {"--silent-after", "-1"},
             {"--silent-after", "99999999999"}, {"--firmware", ""}, {"--firmware", "1 2"}, {"--bogus"},
             {"--seed=1"}, {"q30"}}) {
        DeviceOptions o;
        std::string error;
        EXPECT_FALSE(parse(args, o, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace q30sim

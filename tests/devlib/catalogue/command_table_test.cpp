#include <gtest/gtest.h>

#include <set>

#include "catalogue.h"

namespace q30::catalogue {
namespace {

const std::set<uint32_t> kGenericCodes = {4,  5,  7,  8,  9,  10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22,
                                          23, 24, 25, 26, 27, 28, 29, 30, 39, 40, 41, 42, 43, 44, 45, 47, 48,
                                          49, 50, 51, 52, 53, 54, 64, 65, 66};
const std::set<uint32_t> kNoneCodes = {2, 36, 58, 59, 60, 61, 62, 63};
const std::set<uint32_t> kWithoutRecord = {0, 1, 2, 3, 6, 32, 33, 35, 36, 55, 57, 58, 59, 60, 61, 62, 63};
const std::set<uint32_t> kLongReply = {4, 17, 18, 19, 29, 30};

TEST(CommandTable, KindOfEveryCode)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const Kind expected = kGenericCodes.count(code) ? Kind::Generic
                              : kNoneCodes.count(code)  ? Kind::None
                                                        : Kind::Special;
        EXPECT_EQ(command_info(code).kind, expected) << "code " << code;
        EXPECT_EQ(command_info(code).needsRecord, kWithoutRecord.count(code) == 0) << "code " << code;
    }
}

TEST(CommandTable, GenericReplyTimeouts)
{
    for (uint32_t code : kGenericCodes)
        EXPECT_EQ(command_info(code).replyTimeoutMs, kLongReply.count(code) ? 5000 : 300) << "code " << code;
}

TEST(CommandTable, NamesIncludingDuplicates)
{
    EXPECT_STREQ(command_info(DRV_MSN).name, "DRV_MSN");
    EXPECT_STREQ(command_info(DRV_CURRENCY).name, "DRV_CURRENCY");
    EXPECT_STREQ(command_info(55).name, "DRV_PING");
    EXPECT_STREQ(command_info(36).name, "DRV_NOP36");
    for (uint32_t code = 58; code <= 63; ++code)
        EXPECT_STREQ(command_info(code).name, "DRV_NOP");
}

TEST(CommandTable, CodesBeyondTheTableAreUnknown)
{
    for (uint32_t code : {67u, 1000u, 0xFFFFFFFFu}) {
        EXPECT_STREQ(command_info(code).name, "");
        EXPECT_EQ(command_info(code).kind, Kind::None);
    }
}

TEST(CommandTable, CodeByName)
{
    EXPECT_EQ(code_by_name("DRV_MSN"), 4);
    EXPECT_EQ(code_by_name("MSN"), 4);
    EXPECT_EQ(code_by_name("drv_Msn"), 4);
    EXPECT_EQ(code_by_name("DRV_PING"), 1);  // also 55: the lowest wins
    EXPECT_EQ(code_by_name("nop"), 2);       // also 58..63
    EXPECT_EQ(code_by_name("DRV_NOP36"), 36);
    for (const char* unknown : {"", "DRV_", "DRV_DRV_MSN", "MSN ", "DRV_FOO"})
        EXPECT_EQ(code_by_name(unknown), -1) << '"' << unknown << '"';
}

TEST(CommandTable, EveryNameLeadsBackToItsCode)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const int found = code_by_name(command_info(code).name);
        ASSERT_GE(found, 0);
        EXPECT_STREQ(command_info(static_cast<uint32_t>(found)).name, command_info(code).name);
        EXPECT_LE(found, static_cast<int>(code));
    }
}

} // namespace
} // namespace q30::catalogue

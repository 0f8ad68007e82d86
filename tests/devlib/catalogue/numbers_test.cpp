#include <gtest/gtest.h>

#include <limits>

#include "numbers.h"

namespace q30::catalogue {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(ReadNumber, LeadingWhiteSpaceAndSign)
{
    EXPECT_EQ(read_number("42"), 42);
    EXPECT_EQ(read_number("  \t7"), 7);
    EXPECT_EQ(read_number("\r\n 12"), 12);
    EXPECT_EQ(read_number("-15"), -15);
    EXPECT_EQ(read_number("+15"), 15);
    EXPECT_EQ(read_number("007"), 7);
}

TEST(ReadNumber, StopsAtTheFirstNonDigit)
{
    EXPECT_EQ(read_number("95\r\nOK"), 95);
    EXPECT_EQ(read_number("08-18"), 8);
    EXPECT_EQ(read_number("1,23"), 1);
    EXPECT_EQ(read_number("3 4"), 3);
}

TEST(ReadNumber, GarbageGivesZero)
{
    EXPECT_EQ(read_number(""), 0);
    EXPECT_EQ(read_number("   "), 0);
    EXPECT_EQ(read_number("OK"), 0);
    EXPECT_EQ(read_number("-"), 0);
    EXPECT_EQ(read_number("- 5"), 0);
    EXPECT_EQ(read_number("+-5"), 0);
    EXPECT_EQ(read_number("--"), 0);
}

TEST(ReadNumber, SaturatesAtTheInt32Limits)
{
    EXPECT_EQ(read_number("2147483647"), kMax);
    EXPECT_EQ(read_number("2147483648"), kMax);
    EXPECT_EQ(read_number("-2147483648"), kMin);
    EXPECT_EQ(read_number("-2147483649"), kMin);
    EXPECT_EQ(read_number(std::string(500, '9')), kMax);
    EXPECT_EQ(read_number("-" + std::string(500, '9')), kMin);
}

TEST(ReadNumber, ReadsOnlyTheGivenView)
{
    const std::string_view digits = "123456";
    EXPECT_EQ(read_number(digits.substr(0, 2)), 12);
}

} // namespace
} // namespace q30::catalogue

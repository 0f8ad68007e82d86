// Parsing of the setting answers: switches, digits, texts, least cost
// routing, forwarding and the data port.
#include <gtest/gtest.h>

#include "record_builder.h"

namespace q30::catalogue {
namespace {

using testing::answer;
using testing::applied;
using testing::rejected;

TEST(ReplyCheck, WithoutOkNothingIsParsed)
{
    const DrvCmd rec = applied(DRV_ACCEPT_P9, {.value = 5}, rejected("7"));
    EXPECT_EQ(rec.replied, 1);
    EXPECT_EQ(rec.ok, 0);
    EXPECT_EQ(rec.value, 5);
}

TEST(ReplyCheck, OkAnywhereInTheReplyCounts)
{
    const DrvCmd rec = applied(DRV_ACCEPT_P9, {}, "\r\n7 OK");
    EXPECT_EQ(rec.ok, 1);
    EXPECT_EQ(rec.value, 7);
}

TEST(ReplyCheck, TheAnswerStartsAtTheThirdByte)
{
    for (const char* reply : {"OK", "1OK", "11OK"}) {
        const DrvCmd rec = applied(DRV_CLIP, {.on = 1}, reply);
        EXPECT_EQ(rec.replied, 1);
        EXPECT_EQ(rec.on, 0) << '"' << reply << '"';
    }
}

TEST(ParseSwitch, FirstCharacterOneIsOn)
{
    EXPECT_EQ(applied(DRV_CLIP, {}, answer("1")).on, 1);
    EXPECT_EQ(applied(DRV_LCR_LOCAL, {.on = 1}, answer("0")).on, 0);
    EXPECT_EQ(applied(DRV_CALLBACK_ON, {.on = 1}, answer("")).on, 0);
    EXPECT_EQ(applied(DRV_SPECIAL_RING, {}, answer("10")).on, 1);
    // A set's answer is not parsed.
    EXPECT_EQ(applied(DRV_CLIP, {.op = 1, .on = 1}, answer("0")).on, 1);
}

TEST(ParseDigit, OnlyTheFirstCharacterCounts)
{
    EXPECT_EQ(applied(DRV_ACCEPT_P9, {}, answer("73")).value, 7);
    EXPECT_EQ(applied(DRV_ACCEPT_P1, {.value = 5}, answer("x")).value, 0);
    EXPECT_EQ(applied(DRV_ACCEPT_P6, {.op = 1, .value = 5}, answer("2")).value, 5);
}

TEST(ParseDigit, LanguageTakesOnlyADigit)
{
    EXPECT_EQ(applied(DRV_LANGUAGE, {}, answer("2")).value, 2);
    EXPECT_EQ(applied(DRV_LANGUAGE, {.value = 1}, answer("")).value, 1);
    EXPECT_EQ(applied(DRV_LANGUAGE, {.value = 1}, answer("A")).value, 1);
}

TEST(ParseText, FirstLineIntoStr)
{
    EXPECT_EQ(record::str(applied(DRV_MSN, {}, answer("0301234"))), "0301234");
    EXPECT_EQ(record::str(applied(DRV_CHARGE_UNIT, {.str = "old"}, answer(""))), "");
    // Code 64 is a query whatever the op; code 66 copies only for op 0.
    EXPECT_EQ(record::str(applied(DRV_S99, {.op = 1}, answer("P11 0301"))), "P11 0301");
    EXPECT_EQ(record::str(applied(DRV_CURRENCY, {.op = 1, .str = "EUR"}, answer("DM"))), "EUR");
}

TEST(ParseText, LongAnswerIsCutToTheField)
{
    const DrvCmd rec = applied(DRV_LOCAL_CODE, {}, answer(std::string(40, '7')));
    EXPECT_EQ(record::str(rec), std::string(31, '7'));
    EXPECT_EQ(rec.str[31], '\0');
}

TEST(ParseLcr, TimeRange)
{
    const DrvCmd rec = applied(DRV_LCR_TIME, {}, answer("08-18"));
    EXPECT_EQ(rec.from, 8);
    EXPECT_EQ(rec.to, 18);
    const DrvCmd empty = applied(DRV_LCR_TIME, {.from = 3, .to = 4}, answer(""));
    EXPECT_EQ(empty.from, 0);
    EXPECT_EQ(empty.to, 0);
}

TEST(ParseLcr, Prefix)
{
    EXPECT_EQ(record::str3(applied(DRV_LCR_PREFIX, {}, answer("01033"))), "01033");
    EXPECT_EQ(record::str3(applied(DRV_LCR_PREFIX, {.str3 = "x"}, answer(""))), "");
}

TEST(ParseLcr, ExcludedRangeSplitsAtTheFirstDash)
{
    const DrvCmd both = applied(DRV_LCR_EXCLUDED, {}, answer("0190-0900-1"));
    EXPECT_EQ(record::str(both), "0190");
    EXPECT_EQ(record::str2(both), "0900-1");
    const DrvCmd noDash = applied(DRV_LCR_EXCLUDED, {.str2 = "x"}, answer("0190"));
    EXPECT_EQ(record::str(noDash), "0190");
    EXPECT_EQ(record::str2(noDash), "");
    const DrvCmd empty = applied(DRV_LCR_EXCLUDED, {.str = "x", .str2 = "y"}, answer(""));
    EXPECT_EQ(record::str(empty), "");
    EXPECT_EQ(record::str2(empty), "");
}

TEST(ParseForwarding, QueryReadsStateAndTarget)
{
    const DrvCmd on = applied(DRV_FORWARD_20, {}, answer("1:FWD:0301234"));
    EXPECT_EQ(on.value, 1);
    EXPECT_EQ(on.on, 1);
    EXPECT_EQ(record::str(on), "0301234");
    EXPECT_EQ(record::str(applied(DRV_FORWARD_20, {.str = "x"}, answer("1"))), "");

    const DrvCmd off = applied(DRV_FORWARD_21, {.on = 1, .value = 1, .str = "keep"}, answer("0"));
    EXPECT_EQ(off.value, 0);
    EXPECT_EQ(off.on, 0);
    EXPECT_EQ(record::str(off), "keep");

    const DrvCmd other = applied(DRV_FORWARD_22, {.on = 1, .value = 9}, answer("2"));
    EXPECT_EQ(other.value, 9);
    EXPECT_EQ(other.on, 1);
}

TEST(ParseForwarding, SetReadsTheResultingState)
{
    struct Case { const char* text; int32_t value; int32_t on; };
    for (const Case& c : {Case{"0", 0, 0}, Case{"1", 1, 1}, Case{"2", 2, 0}, Case{"3", 3, 0}, Case{"4", 9, 9}}) {
        const DrvCmd rec = applied(DRV_FORWARD_20, {.op = 1, .on = 9, .value = 9}, answer(c.text));
        EXPECT_EQ(rec.value, c.value) << c.text;
        EXPECT_EQ(rec.on, c.on) << c.text;
    }
}

TEST(ParseDataPort, ProtocolCodesMapBack)
{
    struct Case { const char* text; int32_t protocol; };
    for (const Case& c : {Case{"95", 0}, Case{"2", 1}, Case{"1", 2}, Case{"5", 3}, Case{"3", 4}, Case{"4", 5},
                          Case{"92", 6}, Case{"90", 7}, Case{"7", 7}, Case{"42", 42}}) {
        const DrvCmd rec = applied(DRV_DATA_PARAM, {.port = 0}, answer(c.text));
        EXPECT_EQ(record::protocol_number(rec), c.protocol) << c.text;
    }
}

TEST(ParseDataPort, SwitchesNumbersAndTexts)
{
    EXPECT_EQ(applied(DRV_DATA_PARAM, {.port = 1}, answer("1")).on, 1);
    EXPECT_EQ(applied(DRV_DATA_PARAM, {.port = 2, .on = 1, .protocol = 3}, answer("0")).on, 0);
    EXPECT_EQ(applied(DRV_DATA_PARAM, {.port = 5}, answer("0")).on, 1);  // inverted
    EXPECT_EQ(applied(DRV_DATA_PARAM, {.port = 5, .on = 1}, answer("1")).on, 0);
    EXPECT_EQ(applied(DRV_DATA_PARAM, {.port = 6, .protocol = 1}, answer("128")).index, 128);
    EXPECT_EQ(applied(DRV_DATA_P3P4, {.port = 11}, answer("3")).index, 3);
    EXPECT_EQ(record::data_text(applied(DRV_DATA_P3P4, {.port = 12}, answer("4711"))), "4711");
    // A magic number block of 40 digits comes back whole; a longer answer is cut to the field.
    EXPECT_EQ(record::data_text(applied(DRV_DATA_P3P4, {.port = 12}, answer(std::string(40, '1')))),
              std::string(40, '1'));
    EXPECT_EQ(record::data_text(applied(DRV_DATA_P3P4, {.port = 12}, answer(std::string(200, '1')))),
              std::string(91, '1'));
    EXPECT_EQ(applied(DRV_DATA_PN, {.port = 8}, answer("12")).index, 12);
}

} // namespace
} // namespace q30::catalogue

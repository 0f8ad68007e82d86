// Call list texts as the device sends them, turned into rows.
#include <gtest/gtest.h>

#include "pages/call_list.h"

namespace quillon {
namespace {

CallEntry row_of(const std::string& text, int list) { return parse_call_list(text, list).entries.at(0); }

TEST(CallList, OutgoingRowsKeepSixColumnsWithTheChargeCutToTwoDecimals)
{
    const CallListText list = parse_call_list("24/12/01 18:40 08912345678 00:12:05 1,560 DM\r\n"
                                              "24/12/01 09:15 0301234567 00:04:12 0,24 DM\r\n\r\nOK\r\n",
                                              kOutgoingCalls);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0], (CallEntry{"24/12/01", "18:40", "08912345678", "00:12:05", "1,56", "DM"}));
    EXPECT_EQ(call_charge_text(list.entries[0]), "DM 1,56");
    EXPECT_EQ(list.entries[1].charge, "0,24");
    // Only a unit digit, a comma and three decimals lose the last one.
    for (const char* kept : {"12,345", "1.234", "???"})
        EXPECT_EQ(row_of(std::string("a b 1 d ") + kept + " EUR\r\n", kOutgoingCalls).charge, kept);
    // The other lists have no charges, whatever the device adds.
    const CallEntry incoming = row_of("03/02/01 12:03 040987654 00:03:30 16\r\n", kIncomingCalls);
    EXPECT_EQ(incoming.duration, "00:03:30");
    EXPECT_EQ(call_charge_text(incoming), "");
}

TEST(CallList, ACallerWithoutNumberTakesOneColumn)
{
    const CallEntry e = row_of("04/02/01 08:20 NO ID 00:01:02 16\r\n", kUnansweredCalls);
    EXPECT_TRUE(is_unknown_caller(e));
    EXPECT_EQ(e.number, kNoCallerId);
    EXPECT_EQ(e.duration, "00:01:02");
    EXPECT_TRUE(is_unknown_caller(row_of("a b 1**2 c\r\n", kIncomingCalls)));
    EXPECT_EQ(row_of("a b NO 00:00:01\r\n", kIncomingCalls).number, "NO");
}

TEST(CallList, TheScanEndsAtAnEmptyLineTheTextsEndANulOrTheTenthRow)
{
    EXPECT_EQ(parse_call_list("a b 1 d\r\n\r\nc d 2 e\r\n", kIncomingCalls).entries.size(), 1u);
    EXPECT_EQ(parse_call_list("a b 1 d\r\nc d 2 e", kIncomingCalls).entries.size(), 1u);
    EXPECT_EQ(parse_call_list(std::string_view("a b 1 d\r\n\0e f 2 g\r\n", 20), kIncomingCalls).entries.size(), 1u);
    std::string many;
    for (int i = 0; i < 14; ++i)
        many += "01/01/01 10:00 12" + std::to_string(i) + " 00:00:01\r\n";
    const auto entries = parse_call_list(many, kUnansweredCalls).entries;
    ASSERT_EQ(entries.size(), kMaxCallEntries);
    EXPECT_EQ(entries.back().number, "129");
}

TEST(CallList, TextsWithoutRowsAndOverlongColumns)
{
    for (const char* empty : {"", "\r\r\r\r", "a b\r\n", "\t \n  \t\n\n"})
        EXPECT_TRUE(parse_call_list(empty, kOutgoingCalls).entries.empty()) << empty;
    const CallEntry e = row_of("01/01/01 10:00 " + std::string(200, '7') + " 00:00:01\r\n", kIncomingCalls);
    EXPECT_EQ(e.number.size(), kMaxCallColumnChars);
    EXPECT_EQ(e.duration, "00:00:01");
}

TEST(CallList, AnIncomingListWithTheOutgoingHeadingIsFlagged)
{
    const auto heading = parse_call_list("Date Time Number Duration Charge Amount Disc Cause\r\n", kIncomingCalls);
    EXPECT_TRUE(heading.foreignHeading);
    EXPECT_TRUE(heading.entries.empty());
    const auto rows = parse_call_list("Amount x y z\r\n", kIncomingCalls);
    EXPECT_TRUE(rows.foreignHeading);
    EXPECT_EQ(rows.entries.size(), 1u);
    EXPECT_FALSE(parse_call_list("Amount Cause x y\r\n", kOutgoingCalls).foreignHeading);
}

TEST(CallList, DisplayForms)
{
    const PortNames names = {"Kitchen", "Office", "Fax", "\"31\"", "\"32\"", "\"data\""};
    CallEntry e{"24/12/01", "18:40", "*21", "00:00:45", "0,24", ""};
    EXPECT_EQ(call_date_time_text(e), "24/12/01 18:40");
    EXPECT_EQ(call_number_text(e, names), "Office");
    EXPECT_EQ(call_charge_text(e), "0,24");
    e.time = "--:--";
    EXPECT_EQ(call_date_time_text(e), "24/12/01    --:--");
    for (const char* asIs : {"0301234567", "No ID", "*41"}) {
        e.number = asIs;
        EXPECT_EQ(call_number_text(e, names), asIs);
    }
}

} // namespace
} // namespace quillon

// The least cost routing table's typing checks, provider names and the
// corrections before a send.
#include <gtest/gtest.h>

#include "pages/lcr_checks.h"

using namespace quillon::lcr;

namespace {

Row period(const char* from, const char* till, const char* predial = "01070", const char* provider = "Arcor")
{
    return Row{from, till, predial, provider, false, true};
}

Range numbers(const char* first, const char* last, bool active = true) { return Range{first, last, active}; }

// Every range of both groups in use, so that nothing but the table's own
// findings decides whether it may go.
void fill_ranges(Table& table)
{
    for (Group& group : table)
        for (Range& range : group.ranges)
            range = numbers("0130", "0130");
}

} // namespace

TEST(LcrTyping, HoursTakeTheirRangeAndAnyFormOfZero)
{
    for (const char* ok : {"", "0", "00", "000", "7", "07", "23"})
        EXPECT_TRUE(hour_text_ok(ok, HourField::From)) << ok;
    for (const char* bad : {"24", "123", "007", "7a", "-1", " 8", "8-"})
        EXPECT_FALSE(hour_text_ok(bad, HourField::From)) << bad;
    for (const char* ok : {"", "0", "1", "24", "01"})
        EXPECT_TRUE(hour_text_ok(ok, HourField::Till)) << ok;
    for (const char* bad : {"25", "124", "99", "1 "})
        EXPECT_FALSE(hour_text_ok(bad, HourField::Till)) << bad;
}

TEST(LcrTyping, PredialsAndRangeNumbersAreShortDigitTexts)
{
    for (const char* ok : {"", "0", "01070", "010012"})
        EXPECT_TRUE(predial_text_ok(ok)) << ok;
    for (const char* bad : {"0100123", "0107a", "+49", " "})
        EXPECT_FALSE(predial_text_ok(bad)) << bad;
    for (const char* ok : {"", "0", "0130", "01805"})
        EXPECT_TRUE(range_number_text_ok(ok)) << ok;
    for (const char* bad : {"130", "018050", "01a", "-"})
        EXPECT_FALSE(range_number_text_ok(bad)) << bad;
}

TEST(LcrTyping, HourValuesNeverOverflow)
{
    EXPECT_EQ(hour_value("08"), 8);
    EXPECT_EQ(hour_value(""), 0);
    EXPECT_EQ(hour_value("x7"), 0);
    EXPECT_EQ(hour_value("12:30"), 12);
    EXPECT_GT(hour_value("99999999999999999999"), kLastTillHour);
}

TEST(LcrProviders, NamesComeFromTheListInItsOrder)
{
    EXPECT_EQ(provider_name("01070"), "Arcor");
    EXPECT_EQ(provider_name("01011"), "o.tel.o");
    EXPECT_EQ(provider_name("01090"), "VIAG Interkom");
    EXPECT_EQ(provider_name("010"), "o.tel.o") << "the first entry holding the digits";
    EXPECT_EQ(provider_name("01099"), kUnknownProvider);
    EXPECT_EQ(provider_name("00000"), kUnknownProvider) << "the list's closing entry is never matched";
    EXPECT_EQ(provider_name(""), kUnknownProvider);
}

TEST(LcrProviders, NamesAreCutByCharactersNotBytes)
{
    EXPECT_EQ(first_characters("Müller Telekom", 3), "Mül");
    EXPECT_EQ(first_characters("Tele2", 30), "Tele2");
    EXPECT_EQ(first_characters("ééé", 2), "éé");
    EXPECT_EQ(first_characters("", 0), "");
}

TEST(LcrCorrections, RowsAreOrderedByTheirStartAndEmptyRowsGoLast)
{
    Table edited;
    fill_ranges(edited);
    edited[0].rows[0] = period("12", "18", "01033", "Telekom");
    edited[0].rows[2] = period("8", "12");
    edited[1].rows[1] = period("0", "24");
    const Table confirmed = edited;
    const Verdict v = normalise(edited, confirmed);
    EXPECT_TRUE(v.send);
    EXPECT_FALSE(v.overlap || v.incompleteRow || v.lengthMismatch);
    EXPECT_EQ(edited[0].rows[0], period("8", "12"));
    EXPECT_EQ(edited[0].rows[1], period("12", "18", "01033", "Telekom"));
    EXPECT_EQ(edited[0].rows[2], Row{});
    EXPECT_EQ(edited[1].rows[0], period("0", "24")) << "each group is ordered on its own";
}

TEST(LcrCorrections, OverlapsPutEveryTimeBackToTheDevicesOwn)
{
    Table confirmed;
    fill_ranges(confirmed);
    confirmed[0].rows[0] = period("08", "12");
    confirmed[1].rows[0] = period("00", "24");
    Table edited = confirmed;
    edited[0].rows[1] = period("06", "09", "01013", "Tele2");  // a new row into the first one's hours
    edited[1].rows[0].till = "20";                              // a harmless change in the other group

    const Verdict v = normalise(edited, confirmed);
    EXPECT_TRUE(v.overlap);
    EXPECT_FALSE(v.send);
    EXPECT_EQ(edited[0].rows[0], confirmed[0].rows[0]);
    EXPECT_EQ(edited[0].rows[1], Row({"", "", "", "", false, true})) << "a row without a start loses its predial";
    EXPECT_EQ(edited[1].rows[0].till, "24") << "both groups go back";

    for (auto [from, till] : {std::pair{"12", "12"}, std::pair{"18", "08"}, std::pair{"30", "40"}}) {
        Table t;
        fill_ranges(t);
        t[1].rows[3] = period(from, till);
        EXPECT_TRUE(normalise(t, Table()).overlap) << from << "-" << till;
    }
}

// The table still goes after an overlap when a range slot is free: its
// times are the device's again by then.
TEST(LcrCorrections, AnUnusedRangeLetsTheRestOfTheTableGo)
{
    Table edited;
    edited[0].rows[0] = period("08", "12");
    edited[0].rows[1] = period("10", "14");
    const Verdict v = normalise(edited, Table());
    EXPECT_TRUE(v.overlap);
    EXPECT_TRUE(v.send);
    EXPECT_EQ(edited[0].rows[0], Row({"", "", "", "", false, true}));
}

TEST(LcrCorrections, IncompleteRowsAreClearedAndTheTableStillGoes)
{
    Table edited;
    edited[0].rows[2] = Row{"", "", "01070", "", true, false};
    edited[1].rows[5] = Row{"", "", "", "Arcor", false, false};
    edited[1].rows[0] = period("00", "24");
    const Verdict v = normalise(edited, Table());
    EXPECT_TRUE(v.incompleteRow);
    EXPECT_TRUE(v.send);
    EXPECT_EQ(edited[0].rows[2], Row({"", "", "", "", false, true}));
    EXPECT_EQ(edited[1].rows[5], Row({"", "", "", "", false, true}));
    EXPECT_EQ(edited[1].rows[0], period("00", "24"));
}

TEST(LcrCorrections, RangesOfUnequalLengthStopTheSendAndStayWhereTheyAre)
{
    Table edited;
    edited[1].ranges[3] = numbers("0130", "01300");
    edited[1].ranges[5] = numbers("0800", "0800");
    const Verdict v = normalise(edited, Table());
    EXPECT_TRUE(v.lengthMismatch);
    EXPECT_FALSE(v.send);
    EXPECT_EQ(edited[1].ranges[5], numbers("0800", "0800"));

    Table halfFilled;
    halfFilled[0].ranges[0] = numbers("0130", "");
    EXPECT_TRUE(normalise(halfFilled, Table()).lengthMismatch);
}

TEST(LcrCorrections, UsedRangesMoveToTheFrontInTheirOrderWithTheirSwitches)
{
    Table edited;
    edited[0].ranges[0] = numbers("", "", true);
    edited[0].ranges[1] = numbers("0130", "0130", false);
    edited[0].ranges[3] = numbers("0800", "0800", true);
    edited[1].ranges[7] = numbers("0180", "0180", true);
    const Verdict v = normalise(edited, Table());
    EXPECT_TRUE(v.send);
    EXPECT_EQ(edited[0].ranges[0], numbers("0130", "0130", false));
    EXPECT_EQ(edited[0].ranges[1], numbers("0800", "0800", true));
    EXPECT_EQ(edited[0].ranges[2], numbers("", "", false));
    EXPECT_EQ(edited[0].ranges[3], numbers("", "", true)) << "the free slot's switch went to where the range was";
    EXPECT_EQ(edited[1].ranges[0], numbers("0180", "0180", true));
}

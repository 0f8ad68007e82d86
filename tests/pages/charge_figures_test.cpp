#include "pages/charge_figures.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

constexpr std::size_t kLarger = 5;

// A counter text as the library hands it over: the lines after "Charge:".
constexpr std::string_view kCounter = "\r\nP11: 12,345 DM\r\nP21: 0,120 DM\r\nP22: ??? DM\r\n"
                                      "P31: 7,000 DM\r\nP32: 1,5 DM\r\nATA: 100,999 DM\r\n\r\nOK\r\n";

TEST(ChargeCounter, FiguresKeepTwoDecimalsAndTheirUnit)
{
    const ChargeRow row = parse_charge_counter(kCounter, kLarger);
    const char* amounts[] = {"12,34", "0,12", "???", "7,00", "1,5", "100,99"};
    for (std::size_t c = 0; c < kChargeColumns; ++c) {
        EXPECT_EQ(row[c].amount, amounts[c]) << c;
        EXPECT_EQ(row[c].unit, "DM") << c;
    }
    // Only exactly three decimals lose one; the first comma counts.
    for (auto [figure, shown] : {std::pair{",123", ",12"}, {"12,3456", "12,3456"}, {"12345", "12345"},
                                 {"1?,???", "1?,???"}, {"1,2,345", "1,2,345"}, {"", ""}})
        EXPECT_EQ(shown_figure(figure), shown) << figure;
}

TEST(ChargeCounter, MissingLabelsAndTheSmallerModel)
{
    const ChargeRow row = parse_charge_counter("P11: 1,000 EUR\nP21: 2,000 EUR\nATA: 3,000 EUR\n", kLarger);
    EXPECT_EQ(row[2].amount, kNoCharge);
    EXPECT_FALSE(row[2].labelled);
    EXPECT_EQ(row[2].unit, "");
    EXPECT_EQ(row[kDataPortColumn].amount, "3,00");

    // Ports 31 and 32 stay empty on the smaller model even when the text has them.
    const ChargeRow q20 = parse_charge_counter(kCounter, kSmallerModelAnaloguePorts);
    EXPECT_EQ(q20[3].amount, "");
    EXPECT_EQ(q20[4].amount, "");
    EXPECT_EQ(q20[kDataPortColumn].amount, "100,99");
}

// Each figure ends with its own line, whatever line end the device used, and
// only a label's first occurrence counts.
TEST(ChargeCounter, LineEndsRepeatedLabelsAndTheTextsEnd)
{
    const ChargeRow row = parse_charge_counter("P11: 4,560\rP21: 9,99 Euro cent \nP11: 7,777 DM", kLarger);
    EXPECT_EQ(row[0].amount, "4,56");
    EXPECT_EQ(row[0].unit, "");
    EXPECT_EQ(row[1].unit, "Euro cent");
    EXPECT_EQ(parse_charge_counter("P11: ", kLarger)[0].amount, "");
}

TEST(ChargeTotal, FirstWordOfTheFirstLine)
{
    EXPECT_EQ(parse_charge_total("123,456 DM\r\nOK\r\n"), "123,45");
    EXPECT_EQ(parse_charge_total("  0,000\r\n"), "0,00");
    EXPECT_EQ(parse_charge_total("??? DM"), "???");
    EXPECT_EQ(parse_charge_total("\r\n5,000"), "");
}

} // namespace
} // namespace quillon

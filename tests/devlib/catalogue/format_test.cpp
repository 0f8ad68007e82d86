#include <gtest/gtest.h>

#include <vector>

#include "record_builder.h"

namespace q30::catalogue {
namespace {

using testing::CallerBuffer;
using testing::Fields;
using testing::make_record;

struct LineCase {
    uint32_t code;
    Fields fields;
    std::string line;
};

std::string describe(const LineCase& c)
{
    return std::string(command_info(c.code).name) + " port " + std::to_string(c.fields.port) + " index " +
           std::to_string(c.fields.index) + " op " + std::to_string(c.fields.op);
}

void expect_lines(const std::vector<LineCase>& cases)
{
    for (const LineCase& c : cases) {
        DrvCmd rec = make_record(c.fields);
        CallerBuffer buffer(rec);  // reads into a caller buffer need one
        const FormattedLine formatted = format_command(c.code, rec);
        EXPECT_EQ(formatted.status, FormatStatus::Line) << describe(c);
        EXPECT_EQ(formatted.line, c.line) << describe(c);
    }
}

TEST(FormatLine, Switches)
{
    expect_lines({
        {DRV_CLIP, {}, "AT%A5?\r"},
        {DRV_CLIP, {.op = 1, .on = 1}, "AT%A5=1\r"},
        {DRV_CLIP, {.op = 2}, "AT%A5?\r"},  // every op but a set queries
        {DRV_CLIP, {.port = 11}, "AT!P17#11?\r"},
        {DRV_CLIP, {.port = 11, .op = 1, .on = 0}, "AT!P17#11=0\r"},
        {DRV_ACCEPT_P2, {.port = 21}, "AT!P2#21?\r"},
        {DRV_ACCEPT_P2, {.port = 21, .op = 1, .on = 7}, "AT!P2#21=1\r"},
        {DRV_ACCEPT_P8, {.port = 22}, "AT!P8#22?\r"},
        {DRV_ACCEPT_P8, {.port = 22, .op = 1}, "AT!P8#22=0\r"},
        {DRV_SPECIAL_RING, {.port = 31}, "AT!P11#31?\r"},
        {DRV_SPECIAL_RING, {.port = 31, .op = 2}, "AT!P11#31?\r"},
        {DRV_SPECIAL_RING, {.port = 31, .op = 1, .on = 5}, "AT!P11#31=1\r"},
        {DRV_FILTER_FLAG, {}, "AT\\E?\r"},
        {DRV_FILTER_FLAG, {.op = 1, .on = 1}, "AT\\E=1\r"},
        {DRV_FILTER_FLAG, {.port = 32}, "AT!P13#32?\r"},
        {DRV_FILTER_FLAG, {.port = 32, .op = 1, .on = 1}, "AT!P13#32=1\r"},
        {DRV_LCR_ON, {}, "AT&P?\r"},
        {DRV_LCR_ON, {.op = 1, .on = 1}, "AT&P=1\r"},
        {DRV_LCR_ON, {.op = 2}, "AT&P=\r"},
        {DRV_LCR_LOCAL, {.port = 1, .index = 2}, "AT&L12?\r"},
        {DRV_LCR_LOCAL, {.port = 1, .index = 2, .op = 1, .on = 1}, "AT&L12=1\r"},
        {DRV_LCR_LOCAL, {.port = 1, .index = 2, .op = 2}, "AT&L12=\r"},
        {DRV_LCR_ACTIVE, {.port = 0, .index = 3}, "AT&R03?\r"},
        {DRV_LCR_ACTIVE, {.port = 0, .index = 3, .op = 1}, "AT&R03=0\r"},
        {DRV_LCR_RANGE_ON, {.port = 2, .index = 9}, "AT&N29?\r"},
        {DRV_LCR_RANGE_ON, {.port = 2, .index = 9, .op = 1, .on = 1}, "AT&N29=1\r"},
        {DRV_CALLBACK_ON, {}, "AT\\A?\r"},
        {DRV_CALLBACK_ON, {.op = 1, .on = 1}, "AT\\A=1\r"},
    });
}

TEST(FormatLine, Digits)
{
    expect_lines({
        {DRV_ACCEPT_P9, {.port = 11}, "AT!P9#11?\r"},
        {DRV_ACCEPT_P9, {.port = 11, .op = 1, .value = 3}, "AT!P9#11=3\r"},
        {DRV_ACCEPT_P6, {.port = 21}, "AT!P6#21?\r"},
        {DRV_ACCEPT_P6, {.port = 21, .op = 1, .value = 2}, "AT!P6#21=2\r"},
        // Code 13's device form: group 0 below port 3, group 3 from 3 to 10.
        {DRV_ACCEPT_P1, {.port = 2}, "AT!V0?\r"},
        {DRV_ACCEPT_P1, {.port = 5}, "AT!V3?\r"},
        {DRV_ACCEPT_P1, {.port = 3, .op = 1, .value = 4}, "AT!V3=4\r"},
        {DRV_ACCEPT_P1, {.port = -4}, "AT!V0?\r"},
        {DRV_ACCEPT_P1, {.port = 11}, "AT!P1#11?\r"},
        {DRV_ACCEPT_P1, {.port = 11, .op = 1, .value = 1}, "AT!P1#11=1\r"},
        {DRV_LANGUAGE, {}, "ATS91?\r"},
        {DRV_LANGUAGE, {.op = 1, .value = 2}, "ATS91=2\r"},
    });
}

TEST(FormatLine, Texts)
{
    expect_lines({
        {DRV_MSN, {.index = 2}, "AT!N2?\r"},
        {DRV_MSN, {.index = 2, .op = 1, .str = "1234567"}, "AT!N2=1234567\r"},
        {DRV_MSN, {.index = 2, .op = 2}, "AT!N2=\r"},
        {DRV_MSN, {.port = 21, .index = 3}, "AT!P0#21*3?\r"},
        {DRV_MSN, {.port = 21, .index = 3, .op = 1, .str = "555"}, "AT!P0#21*3=555\r"},
        {DRV_MSN, {.port = 21, .index = 3, .op = 2}, "AT!P0#21*3=\r"},
        {DRV_SHORT_DIAL, {.port = 11, .index = 4}, "AT!P10#11*4?\r"},
        {DRV_SHORT_DIAL, {.port = 11, .index = 4, .op = 1, .str = "0301"}, "AT!P10#11*4=0301\r"},
        {DRV_SHORT_DIAL, {.port = 11, .index = 4, .op = 2}, "AT!P10#11*4=\r"},
        {DRV_FILTER_NUMBER, {.index = 3}, "AT\\F3?\r"},
        {DRV_FILTER_NUMBER, {.index = 3, .op = 1, .str = "0190"}, "AT\\F3=0190\r"},
        {DRV_FILTER_NUMBER, {.index = 3, .op = 2}, "AT\\F3=\r"},
        {DRV_FILTER_NUMBER, {.port = 22, .index = 1}, "AT!P12#22*1?\r"},
        {DRV_FILTER_NUMBER, {.port = 22, .index = 1, .op = 1, .str = "0190"}, "AT!P12#22*1=0190\r"},
        {DRV_CHARGE_UNIT, {}, "ATS95?\r"},
        {DRV_CHARGE_UNIT, {.op = 1, .str = "0,12"}, "ATS95=0,12\r"},
        {DRV_LOCAL_CODE, {}, "ATS76?\r"},
        {DRV_LOCAL_CODE, {.op = 1, .str = "030"}, "ATS76=030\r"},
        {DRV_PABX_PREFIX, {}, "ATS78?\r"},
        {DRV_PABX_PREFIX, {.op = 1, .str = "0"}, "ATS78=0\r"},
        {DRV_S75, {}, "ATS75?\r"},
        {DRV_S75, {.op = 1, .str = "00"}, "ATS75=00\r"},
        {DRV_CALLBACK_NUMBER, {.index = 2}, "AT\\B2?\r"},
        {DRV_CALLBACK_NUMBER, {.index = 2, .op = 1, .str = "0301"}, "AT\\B2=0301\r"},
        {DRV_S99, {}, "ATS99?\r"},
        {DRV_S99, {.port = 11, .op = 1}, "AT!P26#11?\r"},  // query only
        {DRV_CURRENCY, {}, "ATS96?\r"},
        {DRV_CURRENCY, {.op = 1, .str = "EUR"}, "ATS96=EUR\r"},
        // A text field without its NUL is read up to the field's end.
        {DRV_MSN, {.op = 1, .str = std::string(40, '9')}, "AT!N0=" + std::string(31, '9') + "\r"},
    });
}

TEST(FormatLine, LeastCostRoutingEntries)
{
    expect_lines({
        {DRV_LCR_TIME, {.port = 1, .index = 2}, "AT\\D12?\r"},
        {DRV_LCR_TIME, {.port = 1, .index = 2, .op = 1, .from = 8, .to = 18}, "AT\\D12=08-18\r"},
        {DRV_LCR_TIME, {.port = 1, .index = 2, .op = 2}, "AT\\D12=\r"},
        {DRV_LCR_PREFIX, {.port = 1, .index = 2}, "AT\\P12?\r"},
        {DRV_LCR_PREFIX, {.port = 1, .index = 2, .op = 1, .str = "x", .str3 = "01033"}, "AT\\P12=01033\r"},
        {DRV_LCR_EXCLUDED, {.port = 0, .index = 1}, "AT\\N01?\r"},
        {DRV_LCR_EXCLUDED, {.port = 0, .index = 1, .op = 1, .str = "0190", .str2 = "0900"}, "AT\\N01=0190-0900\r"},
        {DRV_LCR_EXCLUDED, {.port = 0, .index = 1, .op = 2}, "AT\\N01=\r"},
    });
}

TEST(FormatLine, Forwarding)
{
    expect_lines({
        {DRV_FORWARD_20, {.port = 11}, "AT!P20#11?\r"},
        {DRV_FORWARD_21, {.port = 21, .op = 1, .on = 1, .str = "0301234"}, "AT!P21#21*1=0301234\r"},
        {DRV_FORWARD_22, {.port = 22, .op = 1, .on = 0, .str = "0301234"}, "AT!P22#22*0\r"},
    });
}

TEST(FormatLine, DataPortProtocolNamesAndValues)
{
    expect_lines({
        {DRV_DATA_PARAM, {.port = 0}, "AT%A2?\r"},
        {DRV_DATA_PARAM, {.port = 0, .op = 1, .protocol = 0}, "AT%A2=95\r"},
        {DRV_DATA_PARAM, {.port = 0, .op = 1, .protocol = 6}, "AT%A2=92\r"},
        {DRV_DATA_PARAM, {.port = 0, .op = 1, .protocol = 7}, "AT%A2=90\r"},
        {DRV_DATA_PARAM, {.port = 1}, "AT%A0?\r"},
        {DRV_DATA_PARAM, {.port = 1, .op = 1, .on = 1}, "AT%A0=1\r"},
        {DRV_DATA_PARAM, {.port = 2, .protocol = 0}, "AT%P0?\r"},
        {DRV_DATA_PARAM, {.port = 2, .op = 1, .on = 1, .protocol = 4}, "AT%X1=1\r"},
        {DRV_DATA_PARAM, {.port = 3, .op = 1}, "AT%P1=0\r"},
        {DRV_DATA_PARAM, {.port = 4}, "AT%P6?\r"},
        {DRV_DATA_PARAM, {.port = 5}, "AT%E9?\r"},
        {DRV_DATA_PARAM, {.port = 5, .op = 1, .on = 1}, "AT%E9=0\r"},  // inverted
        {DRV_DATA_PARAM, {.port = 5, .op = 1, .on = 0}, "AT%E9=1\r"},
        {DRV_DATA_PARAM, {.port = 6, .index = 128, .op = 1, .protocol = 1}, "AT%E0=128\r"},
        {DRV_DATA_PARAM, {.port = 6, .protocol = 3}, "AT%X0?\r"},
        {DRV_DATA_PARAM, {.port = 6, .index = 2, .op = 1, .protocol = 6}, "AT!H0=2\r"},
        {DRV_DATA_P3P4, {.port = 11}, "AT%P3?\r"},
        {DRV_DATA_P3P4, {.port = 11, .index = 2, .op = 1}, "AT%P3=2\r"},
        {DRV_DATA_P3P4, {.port = 12}, "AT%P4?\r"},
        {DRV_DATA_P3P4, {.port = 12, .op = 1, .dataText = "4711"}, "AT%P4=4711\r"},
        {DRV_DATA_PN, {.port = 8}, "AT%P8?\r"},
        {DRV_DATA_PN, {.port = 8, .index = 3, .op = 1}, "AT%P8=3\r"},
    });
}

TEST(FormatLine, LineInformationAndStatus)
{
    expect_lines({
        {DRV_ISDN_C1, {}, "AT!C1?\r"},
        {DRV_ISDN_S71, {.op = 1}, "ATS71?\r"},
        {DRV_ISDN_S0, {}, "AT\\S0?\r"},
        {DRV_ISDN_S1, {}, "AT\\S1?\r"},
        {DRV_PORT_STATUS, {}, "AT!P14#0?\r"},
        {DRV_P25, {.port = 11}, "AT!P25#11?\r"},
        {DRV_P25, {.port = 11, .op = 1, .value = 4}, "AT!P25#11=4\r"},
    });
}

TEST(FormatLine, ClockCallLogChargesAndDialBack)
{
    expect_lines({
        {DRV_WAKEUP, {.port = 11}, "AT!P19#11?\r"},
        {DRV_WAKEUP, {.port = 11, .op = 1, .on = 1}, "AT!P19#11=1\r"},
        {DRV_WAKEUP, {.port = 11, .op = 3}, "AT!P18#11?\r"},
        {DRV_CLOCK, {.op = 3}, "AT!T?\r"},
        {DRV_CALL_RECORD, {.port = 0, .index = 2}, "AT\\H2?\r"},
        {DRV_CALL_RECORD, {.port = 0, .index = 2, .op = 2}, "AT\\H2=\r"},
        {DRV_CALL_RECORD, {.port = 21, .index = 1}, "AT!P3#21*1?\r"},
        {DRV_CALL_RECORD, {.port = 21, .index = 3, .op = 2}, "AT!P23#21*3\r"},
        {DRV_CHARGES, {.index = 0}, "AT\\X1?\r"},
        {DRV_CHARGES, {.index = 1}, "AT\\X3?\r"},
        {DRV_CHARGES, {.index = 2}, "AT\\X2?\r"},
        {DRV_CHARGES, {.index = 3}, "AT!P27?\r"},
        {DRV_CHARGES, {.port = 0, .index = 2, .op = 2}, "AT\\Y\r"},
        {DRV_CHARGES, {.port = 21, .index = 2, .op = 2}, "AT!P5#21\r"},
        {DRV_CHARGES, {.index = 3, .op = 2}, "AT!P28\r"},
        {DRV_P24, {.port = 11, .op = 1, .str = "0301234"}, "AT!P24#11=0301234\r"},
        {DRV_P24_OLD, {.port = 0, .str = "0301234"}, "AT!P24#0=0301234\r"},
    });
}

TEST(FormatLine, TimesFromTheRecordBytes)
{
    DrvCmd rec = make_record({.port = 21, .op = 4});
    record::set_clock_fields(rec, {5, 3, 2001, 7, 8, 9});
    EXPECT_EQ(format_command(DRV_WAKEUP, rec).line, "AT!P18#21=07:08\r");
    EXPECT_EQ(format_command(DRV_CLOCK, rec).line, "AT!T=05/03/2001 07:08:09\r");
}

FormatStatus status_of(uint32_t code, const Fields& f, bool withBuffer = true)
{
    DrvCmd rec = make_record(f);
    CallerBuffer buffer(rec);
    if (!withBuffer)
        record::set_caller_buffer(rec, nullptr, 0);
    return format_command(code, rec).status;
}

TEST(FormatRefusal, ControlCharactersInSentTexts)
{
    EXPECT_EQ(status_of(DRV_MSN, {.op = 1, .str = "12\rATZ"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_SHORT_DIAL, {.port = 11, .op = 1, .str = "12\n"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_CURRENCY, {.op = 1, .str = "EU\x7F"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_FORWARD_20, {.port = 11, .op = 1, .on = 1, .str = "\t1"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_LCR_EXCLUDED, {.op = 1, .str = "0190", .str2 = "09\r00"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_LCR_PREFIX, {.op = 1, .str3 = "\x1b"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_DATA_P3P4, {.port = 12, .op = 1, .dataText = "47\r11"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_P24, {.port = 11, .str = "0301\r"}), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_LANGUAGE, {.op = 1, .value = -17}), FormatStatus::Refused);  // "0" - 17 is 0x1F
    EXPECT_EQ(status_of(DRV_LANGUAGE, {.op = 1, .value = -48}), FormatStatus::Refused);  // NUL
}

TEST(FormatRefusal, TextsThatAreNotSentDoNotMatter)
{
    EXPECT_EQ(status_of(DRV_MSN, {.op = 0, .str = "\r"}), FormatStatus::Line);
    EXPECT_EQ(status_of(DRV_FORWARD_20, {.port = 11, .op = 1, .on = 0, .str = "\r"}), FormatStatus::Line);
    EXPECT_EQ(status_of(DRV_MSN, {.op = 1, .str = "\xE4\xF6"}), FormatStatus::Line);  // high bytes pass
}

TEST(FormatRefusal, ReadsWithoutCallerBuffer)
{
    EXPECT_EQ(status_of(DRV_CALL_RECORD, {.port = 11}, false), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_CHARGES, {.index = 1}, false), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_ISDN_S0, {}, false), FormatStatus::Refused);
    EXPECT_EQ(status_of(DRV_ISDN_S1, {.op = 2}, false), FormatStatus::Refused);

    DrvCmd sizeless = make_record({.index = 3});
    char byte = 0;
    record::set_caller_buffer(sizeless, &byte, 0);
    EXPECT_EQ(format_command(DRV_CHARGES, sizeless).status, FormatStatus::Refused);

    // Clearing a list or resetting a counter needs no buffer.
    EXPECT_EQ(status_of(DRV_CALL_RECORD, {.port = 11, .op = 2}, false), FormatStatus::Line);
    EXPECT_EQ(status_of(DRV_CHARGES, {.index = 3, .op = 2}, false), FormatStatus::Line);
}

TEST(FormatNothingToSend, CodesAndRecordsWithoutALine)
{
    for (uint32_t code : {0u, 1u, 2u, 3u, 6u, 31u, 32u, 35u, 36u, 55u, 57u, 60u, 67u, 5000u})
        EXPECT_EQ(status_of(code, {.op = 1}), FormatStatus::NothingToSend) << "code " << code;
    EXPECT_EQ(status_of(DRV_SHORT_DIAL, {.port = 10, .index = 1}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_CHARGES, {.index = 4}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_CHARGES, {.index = 0, .op = 2}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_DATA_PARAM, {.port = 7}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_DATA_PARAM, {.port = 2, .protocol = 1}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_DATA_PARAM, {.port = 6, .protocol = 2}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_DATA_PARAM, {.port = 0, .op = 1, .protocol = 8}), FormatStatus::NothingToSend);
    EXPECT_EQ(status_of(DRV_DATA_P3P4, {.port = 13}), FormatStatus::NothingToSend);
}

TEST(PrepareRecord, EntriesEmptyTheTextsTheyDoNotUse)
{
    const Fields full{.str = "a", .str2 = "b", .str3 = "c"};
    DrvCmd time = make_record(full);
    prepare_record(DRV_LCR_TIME, time);
    EXPECT_EQ(record::str(time), "");
    EXPECT_EQ(record::str2(time), "");
    EXPECT_EQ(record::str3(time), "");

    DrvCmd prefix = make_record(full);
    prepare_record(DRV_LCR_PREFIX, prefix);
    EXPECT_EQ(record::str(prefix), "");
    EXPECT_EQ(record::str2(prefix), "");
    EXPECT_EQ(record::str3(prefix), "c");

    DrvCmd excluded = make_record(full);
    prepare_record(DRV_LCR_EXCLUDED, excluded);
    EXPECT_EQ(record::str(excluded), "a");
    EXPECT_EQ(record::str3(excluded), "");

    DrvCmd other = make_record(full);
    prepare_record(DRV_MSN, other);
    EXPECT_EQ(record::str(other), "a");
}

} // namespace
} // namespace q30::catalogue

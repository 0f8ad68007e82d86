// The columns of the catalogue's rows that decide what the library does with
// a record and a reply, checked against what the codes need.
#include <gtest/gtest.h>

#include <cstring>

#include "catalogue.h"
#include "record_builder.h"

namespace q30::catalogue {
namespace {

using testing::answer;
using testing::make_record;

TEST(CommandRows, EveryGenericCodeHasAFamilyAndSendsALine)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const CommandInfo& info = command_info(code);
        if (info.kind != Kind::Generic)
            continue;
        EXPECT_NE(info.family, Family::None) << info.name << " would send nothing";
        // Port 11 for most; the data port codes take a parameter or register number there.
        const int32_t port = code == DRV_DATA_PARAM ? 0 : code == DRV_DATA_PN ? 7 : 11;
        DrvCmd rec = make_record({.port = port});
        char buffer[960] = {};
        record::set_caller_buffer(rec, buffer, sizeof buffer);
        EXPECT_EQ(format_command(code, rec).status, FormatStatus::Line) << info.name;
    }
}

TEST(CommandRows, OnlyGenericAndDialBackCodesHaveAFamily)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const CommandInfo& info = command_info(code);
        if (info.kind != Kind::Generic && code != DRV_P24 && code != DRV_P24_OLD) {
            EXPECT_EQ(info.family, Family::None) << info.name;
        }
    }
}

TEST(CommandRows, OnlyTheInformationTextsGoWithoutOkAndEndAtABackspace)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const CommandInfo& info = command_info(code);
        const bool informationText = code == DRV_ISDN_S0 || code == DRV_ISDN_S1;
        if (info.kind == Kind::Generic) {
            EXPECT_EQ(info.needsOk, !informationText) << info.name;
            EXPECT_EQ(info.replyEnd, informationText ? ReplyEnd::Backspace : ReplyEnd::FinalCode) << info.name;
        } else {
            EXPECT_FALSE(info.needsOk) << info.name << ": special results have rules of their own";
        }
    }
    // Replies without a final code by design end when the line falls quiet.
    EXPECT_EQ(command_info(DRV_DOWNLOAD_RESULT).replyEnd, ReplyEnd::QuietGap);
    EXPECT_EQ(command_info(DRV_BOOT_RESET).replyEnd, ReplyEnd::QuietGap);
}

TEST(CommandRows, CallerBuffersAreNeededExactlyWhereTextIsHandedOver)
{
    for (uint32_t code = 0; code <= kHighestCommandCode; ++code) {
        const CallerBuffer expected = (code == DRV_CALL_RECORD || code == DRV_CHARGES) ? CallerBuffer::WhenReading
                                      : (code == DRV_ISDN_S0 || code == DRV_ISDN_S1) ? CallerBuffer::Always
                                                                                       : CallerBuffer::None;
        EXPECT_EQ(command_info(code).callerBuffer, expected) << command_info(code).name;
    }
    // A read without a buffer is refused; a clear needs none.
    EXPECT_EQ(format_command(DRV_CALL_RECORD, make_record({.port = 11})).status, FormatStatus::Refused);
    EXPECT_EQ(format_command(DRV_CALL_RECORD, make_record({.port = 11, .op = OP_CLEAR})).status, FormatStatus::Line);
    EXPECT_EQ(format_command(DRV_ISDN_S1, make_record({.op = OP_CLEAR})).status, FormatStatus::Refused);
}

TEST(CommandRows, AnAcceptedDataPortSetLeavesTheFieldsAsTheCallerSentThem)
{
    for (int32_t parameter = 0; parameter <= 6; ++parameter) {
        DrvCmd rec = make_record({.port = parameter, .index = 128, .op = OP_SET, .on = 1, .protocol = 3});
        const DrvCmd sent = rec;
        apply_reply(DRV_DATA_PARAM, answer("95"), rec);
        EXPECT_EQ(rec.ok, 1);
        rec.replied = sent.replied;
        rec.ok = sent.ok;
        EXPECT_EQ(std::memcmp(&rec, &sent, sizeof rec), 0) << "parameter " << parameter;
    }
    for (uint32_t code : {DRV_DATA_P3P4, DRV_DATA_PN}) {
        DrvCmd rec = make_record({.port = code == DRV_DATA_P3P4 ? 11 : 7, .index = 45, .op = OP_SET});
        apply_reply(code, answer("3"), rec);
        EXPECT_EQ(rec.index, 45) << command_info(code).name;
    }
}

} // namespace
} // namespace q30::catalogue

// The identity answers, the call check and the download verdict.
#include <gtest/gtest.h>

#include "device_answers.h"
#include "q30com32/command_codes.h"

namespace q30::answers {
namespace {

TEST(OrderNumber, ModelAndUsbFlagByTheOrderNumbersDigits)
{
    EXPECT_EQ(read_order_number("\r\nKLM-230S\r\n\r\nOK\r\n").model, kModelQ30);
    EXPECT_EQ(read_order_number("\r\nKLM-230S\r\n\r\nOK\r\n").usb, 0);
    EXPECT_EQ(read_order_number("\r\nKLM-230S USB\r\n\r\nOK\r\n").usb, 1);
    const OrderNumber small = read_order_number("\r\nKLM-220S USB\r\n\r\nOK\r\n");
    EXPECT_EQ(small.model, kModelQ20);
    EXPECT_FALSE(small.usb.has_value()) << "the smaller model leaves the flag as it was";
    EXPECT_EQ(read_order_number("\r\nKLM-999X\r\n").model, kModelUnknown);
    EXPECT_EQ(read_order_number("").model, kModelUnknown);
    EXPECT_EQ(read_order_number("\r\n220 230\r\n").model, kModelQ30) << "the larger model's digits win";
}

TEST(Versions, FirstLineAndTheTextAfterCodeAndOneSeparator)
{
    Versions v = read_versions("\r\n1.3.4\r\nBOOT CODE 1.02\r\n\r\nOK\r\n", 51, 35);
    EXPECT_EQ(v.firmware, "1.3.4");
    EXPECT_EQ(v.bootCode, "1.02");
    v = read_versions("\r\n1.3.4\r\nBOOT CODE", 51, 35);
    EXPECT_EQ(v.bootCode, "") << "nothing after the mark";
    v = read_versions("\r\n1.3.4\r\nBOOT CODE:", 51, 35);
    EXPECT_EQ(v.bootCode, "") << "only the separator after the mark";
    v = read_versions("\r\n" + std::string(80, '9') + "\r\nCODE " + std::string(80, '8'), 51, 35);
    EXPECT_EQ(v.firmware, std::string(51, '9'));
    EXPECT_EQ(v.bootCode, std::string(35, '8'));
    v = read_versions("\r\n", 51, 35);
    EXPECT_EQ(v.firmware, "");
    EXPECT_EQ(v.bootCode, "");
}

TEST(CallCheck, IdleWhenAZeroIsAnywhere)
{
    EXPECT_EQ(read_call_check("\r\n0\r\n\r\nOK\r\n"), 1);
    EXPECT_EQ(read_call_check("\r\n1\r\n\r\nOK\r\n"), 0);
    EXPECT_EQ(read_call_check("\r\nERROR\r\n"), 0);
    EXPECT_EQ(read_call_check("\r\n10\r\n"), 1);
}

TEST(DownloadVerdict, SuccessBeforeFailureBeforeNeither)
{
    EXPECT_EQ(read_download_verdict("\r\nUPGRADE SUCCESSFUL\r\n"), 3);
    EXPECT_EQ(read_download_verdict("\r\nUPGRADE FAIL\r\n"), 2);
    EXPECT_EQ(read_download_verdict("\r\nFAIL ... SUCCESSFUL\r\n"), 3);
    EXPECT_EQ(read_download_verdict("\r\nREADY\r\n"), 1);
    EXPECT_EQ(read_download_verdict(""), 1);
    EXPECT_TRUE(boot_loader_waiting("\r\nBOOT LOADER: NO VALID FIRMWARE - FAIL\r\n"));
    EXPECT_FALSE(boot_loader_waiting("\r\nOK\r\n"));
}

} // namespace
} // namespace q30::answers

// The data protocol page's input rules on their own: endpoint identifiers
// while typed and when finished, frame sizes and the BOD thresholds.
#include <gtest/gtest.h>

#include "pages/data_protocol_checks.h"

using namespace quillon::data_protocol;

TEST(EidChecks, AnIpAddressMayBeTypedDottedOrAsTwelveDigits)
{
    for (const char* partial : {"1", "192.", "192.168.", "192.168.1.10", "192168001", "255255255255", "0.0.0.0"})
        EXPECT_EQ(check_typed_eid(kEidIpAddress, partial), kNoProblem) << partial;
    for (const char* bad : {"256", "192..", ".1", "1.2.3.4.", "1.2.3.256", "1234.5", "2552552552550", "1a", "1,2"})
        EXPECT_EQ(check_typed_eid(kEidIpAddress, bad), kBadIpAddress) << bad;

    EXPECT_EQ(eid_device_form(kEidIpAddress, "192.168.1.10").deviceForm, "192168001010");
    EXPECT_EQ(eid_device_form(kEidIpAddress, "192168001010").deviceForm, "192168001010");
    for (const char* unfinished : {"192.168.1", "192.168.1.", "19216800101", ""})
        EXPECT_EQ(eid_device_form(kEidIpAddress, unfinished).problem, kBadIpAddress) << unfinished;
    EXPECT_EQ(eid_display_form(kEidIpAddress, "192168001010"), "192.168.1.10");
    EXPECT_EQ(eid_display_form(kEidIpAddress, "1921680"), "1921680") << "not an address: shown as kept";
}

TEST(EidChecks, AMacAddressHasExactlyTwelveHexDigits)
{
    EXPECT_EQ(check_typed_eid(kEidMacAddress, "0080c8"), kNoProblem);
    EXPECT_EQ(check_typed_eid(kEidMacAddress, "0080c81e379g"), kOnlyHexDigits);
    EXPECT_EQ(check_typed_eid(kEidMacAddress, "0080c81e379aB"), kBadMacAddress);
    EXPECT_EQ(eid_device_form(kEidMacAddress, "0080C81E379a").deviceForm, "0080C81E379a");
    EXPECT_EQ(eid_device_form(kEidMacAddress, "0080c81e379").problem, kBadMacAddress);
}

TEST(EidChecks, AMagicNumberBlockIsGroupsOfEightHexDigits)
{
    for (const char* partial : {"01dc5abc", "01dc5abc-", "01dc5abc-2084", "01dc5abc20843abc"})
        EXPECT_EQ(check_typed_eid(kEidMagicNumbers, partial), kNoProblem) << partial;
    const std::string longest = "01234567-89abcdef-01234567-89abcdef-01234567";
    EXPECT_EQ(check_typed_eid(kEidMagicNumbers, longest), kNoProblem) << "40 digits with their dashes";
    for (const std::string& bad : {std::string("01dc-5abc"), std::string("01dc5abx"), longest + "0",
                                  std::string(41, 'a')})
        EXPECT_EQ(check_typed_eid(kEidMagicNumbers, bad), kBadMagicNumberBlock) << bad;

    EXPECT_EQ(eid_device_form(kEidMagicNumbers, "01dc5abc-20843abc").deviceForm, "01dc5abc20843abc");
    EXPECT_EQ(eid_device_form(kEidMagicNumbers, longest).deviceForm, "0123456789abcdef0123456789abcdef01234567");
    for (const char* bad : {"01dc5abc2", "01dc5abc-2084", "01dc5abc-", "01dc5abc20843abc-", ""})
        EXPECT_EQ(eid_device_form(kEidMagicNumbers, bad).problem, kBadMagicNumberBlock) << bad;
    EXPECT_EQ(eid_display_form(kEidMagicNumbers, "01dc5abc20843abc"), "01dc5abc-20843abc");
}

TEST(EidChecks, LocalAddressesAndTaNumbersAreDigitsOfBoundedLength)
{
    EXPECT_EQ(check_typed_eid(kEidLocalAddress, std::string(20, '9')), kNoProblem);
    EXPECT_EQ(check_typed_eid(kEidLocalAddress, std::string(21, '9')), kLocalAddressTooLong);
    EXPECT_EQ(check_typed_eid(kEidLocalAddress, "98a"), kOnlyDigits);
    EXPECT_EQ(check_typed_eid(kEidTaNumber, std::string(15, '4')), kNoProblem);
    EXPECT_EQ(check_typed_eid(kEidTaNumber, std::string(16, '4')), kTaNumberTooLong);
    EXPECT_EQ(eid_device_form(kEidTaNumber, "49-68").problem, kOnlyDigits) << "what cannot be typed is not sent";
    EXPECT_EQ(eid_device_form(kEidLocalAddress, "98765432").deviceForm, "98765432");
}

TEST(FrameSizeChecks, TypingRefusesWhatNoLaterDigitCanMend)
{
    EXPECT_EQ(check_typed_frame_size(FrameKind::V120, "1"), kNoProblem) << "on the way to 128";
    EXPECT_EQ(check_typed_frame_size(FrameKind::V120, "257"), kV120SizeOutOfRange);
    EXPECT_EQ(check_typed_frame_size(FrameKind::V120, "12a"), kOnlyDigits);
    EXPECT_EQ(check_typed_frame_size(FrameKind::X75, "0"), kX75SizeOutOfRange);
    EXPECT_EQ(check_typed_frame_size(FrameKind::X75, "2048"), kNoProblem);
    EXPECT_EQ(check_typed_frame_size(FrameKind::Hdlc, "2049"), kHdlcSizeOutOfRange);
    EXPECT_EQ(check_typed_frame_size(FrameKind::Hdlc, "99999999999999999999"), kHdlcSizeOutOfRange);
    EXPECT_EQ(check_typed_frame_size(FrameKind::Hdlc, ""), kNoProblem);
    EXPECT_FALSE(frame_size_in_range(FrameKind::V120, 127));
    EXPECT_TRUE(frame_size_in_range(FrameKind::V120, 128));
}

TEST(BodChecks, WaterMarksAndDurationsHaveTheirOwnRanges)
{
    EXPECT_EQ(check_typed_bod(BodKind::Water, "0"), kNoProblem);
    EXPECT_EQ(check_typed_bod(BodKind::Water, "65"), kWaterOutOfRange);
    EXPECT_EQ(check_typed_bod(BodKind::Duration, "0"), kDurationOutOfRange);
    EXPECT_EQ(check_typed_bod(BodKind::Duration, "60"), kNoProblem);
    EXPECT_EQ(check_typed_bod(BodKind::Duration, "-1"), kOnlyDigits);
    EXPECT_EQ(decimal_value("0042"), 42);
    EXPECT_FALSE(decimal_value(" 42"));
}

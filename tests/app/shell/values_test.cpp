// The value model under the pages, and the device's 8-bit text.
#include <gtest/gtest.h>

#include <string>

#include "shell/device_set.h"
#include "shell/device_text.h"
#include "shell/page_values.h"

using namespace quillon;

TEST(ValueModel, ChangedAcceptDiscardAndTheDeviceCopy)
{
    std::string device = "4711";
    Field<std::string> msn;
    msn.bind_device(&device);
    msn.read("4711");
    ValueSet page;
    page.add(msn);
    EXPECT_FALSE(page.changed());

    msn.edit("4712");
    EXPECT_TRUE(page.changed());
    EXPECT_TRUE(msn.differs_from_device());
    page.discard();
    EXPECT_EQ(msn.edited(), "4711");
    EXPECT_FALSE(page.changed());

    msn.edit("4713");
    msn.accept();
    EXPECT_EQ(device, "4713") << "the device copy follows an accepted value";
    EXPECT_EQ(msn.confirmed(), "4713");
    EXPECT_FALSE(page.changed());

    device = "9";  // another page took a new value from the device
    EXPECT_TRUE(msn.differs_from_device()) << "a send compares with what the device holds";
    EXPECT_FALSE(msn.changed());
}

TEST(ValueModel, FieldsOutOfUseDoNotMakeThePageChanged)
{
    Field<bool> port31;
    ValueSet page;
    page.add(port31);
    port31.edit(true);
    port31.set_in_use(false);  // a Q20 has no port 31
    EXPECT_FALSE(page.changed());
    port31.set_in_use(true);
    EXPECT_TRUE(page.changed());
}

TEST(DeviceText, Windows1252BothWays)
{
    EXPECT_EQ(to_device_text("M\xC3\xBCller"), std::optional<std::string>("M\xFCller"));
    EXPECT_EQ(to_device_text("\xE2\x82\xAC"), std::optional<std::string>("\x80"));     // euro sign
    EXPECT_EQ(to_device_text("\xC5\xB8"), std::optional<std::string>("\x9F"));         // Y with diaeresis
    EXPECT_EQ(to_device_text("\xC2\xA0\xC3\xBF"), std::optional<std::string>("\xA0\xFF"));
    EXPECT_EQ(to_device_text("\xE2\x82\xBD"), std::nullopt) << "the rouble sign has no place";
    EXPECT_EQ(to_device_text("\xC3"), std::nullopt) << "broken UTF-8";
    EXPECT_EQ(to_device_text("\xC0\x80"), std::nullopt) << "an overlong NUL";
    EXPECT_EQ(from_device_text("M\xFCller \x80"), "M\xC3\xBCller \xE2\x82\xAC");
    EXPECT_EQ(character_count("\xE2\x82\xAC$"), 2u);
}

TEST(DeviceText, WhatASetRefusesBeforeSending)
{
    EXPECT_EQ(check_device_text(std::string(31, '1')), SetProblem::None);
    EXPECT_EQ(check_device_text(std::string(32, '1')), SetProblem::TooLong);
    EXPECT_EQ(check_device_text(std::string(31, 'a') + "\xC3\xA4"), SetProblem::TooLong)
        << "counted in the device's bytes";
    EXPECT_EQ(check_device_text("12\x01" "3"), SetProblem::BadCharacters);
    EXPECT_EQ(check_device_text("\xE2\x82\xBD"), SetProblem::BadCharacters);
}

// Classifying call destinations: every rule in its order, and the two forms.
#include <gtest/gtest.h>

#include "pages/destination.h"

using namespace quillon;

namespace {

const PortNames kNames = {"Kitchen", "Fax", "\"22\"", "Office", "Office 2", "\"data\""};

TEST(ClassifyDestination, RulesInTheirOrder)
{
    EXPECT_EQ(ClassifyDestination("", kNames), DEST_EXTERNAL);
    EXPECT_EQ(ClassifyDestination("0891234567", kNames), DEST_EXTERNAL);
    EXPECT_EQ(ClassifyDestination("123456789012345", kNames), DEST_EXTERNAL);
    EXPECT_EQ(ClassifyDestination("1234567890123456", kNames), DEST_INVALID) << "longer than 15";
    EXPECT_EQ(ClassifyDestination("Kit", kNames), DEST_INCOMPLETE);
    EXPECT_EQ(ClassifyDestination("Kitchen", kNames), DEST_PORT_NAME + 0);
    EXPECT_EQ(ClassifyDestination("kitchen", kNames), DEST_INVALID) << "names match with case";
    EXPECT_EQ(ClassifyDestination("Kitchens", kNames), DEST_INVALID);
    EXPECT_EQ(ClassifyDestination("Office", kNames), DEST_PORT_NAME + 3)
        << "the first port whose name begins so decides: exact here";
    EXPECT_EQ(ClassifyDestination("Office ", kNames), DEST_INCOMPLETE);
    EXPECT_EQ(ClassifyDestination("Office 2", kNames), DEST_PORT_NAME + 4);
    EXPECT_EQ(ClassifyDestination("\"data\"", kNames), DEST_INVALID) << "the data port is no destination";
    EXPECT_EQ(ClassifyDestination("*", kNames), DEST_INCOMPLETE);
    EXPECT_EQ(ClassifyDestination("*1", kNames), DEST_INCOMPLETE);
    EXPECT_EQ(ClassifyDestination("*3", kNames), DEST_INCOMPLETE);
    EXPECT_EQ(ClassifyDestination("*4", kNames), DEST_INVALID);
    EXPECT_EQ(ClassifyDestination("*11", kNames), DEST_PORT_CODE + 0);
    EXPECT_EQ(ClassifyDestination("*32", kNames), DEST_PORT_CODE + 4) << "all five ports, whatever the model";
    EXPECT_EQ(ClassifyDestination("*12", kNames), DEST_INVALID);
    EXPECT_EQ(ClassifyDestination("*111", kNames), DEST_INVALID);
    EXPECT_EQ(ClassifyDestination("12a", kNames), DEST_INVALID);
}

TEST(ClassifyDestination, ANameThatLooksLikeACodeIsANameFirst)
{
    const PortNames names = {"*21", "B", "C", "D", "E", "F"};
    EXPECT_EQ(ClassifyDestination("*21", names), DEST_PORT_NAME + 0);
    EXPECT_EQ(ClassifyDestination("*2", names), DEST_INCOMPLETE);
}

TEST(ClassifyDestination, DisplayTextAndDeviceForm)
{
    EXPECT_EQ(destination_display_text("*21", kNames), "Fax");
    EXPECT_EQ(destination_display_text("0891234", kNames), "0891234");
    EXPECT_EQ(destination_device_form("Fax", kNames), "*21");
    EXPECT_EQ(destination_device_form("*22", kNames), "*22");
    EXPECT_EQ(destination_device_form("Fa", kNames), "Fa") << "an unfinished name stays as typed";
    EXPECT_EQ(destination_port(DEST_PORT_CODE + 2), 2);
    EXPECT_EQ(destination_port(DEST_PORT_NAME + 4), 4);
    EXPECT_EQ(destination_port(DEST_EXTERNAL), -1);
}

} // namespace

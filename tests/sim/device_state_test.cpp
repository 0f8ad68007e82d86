// Settings stored with AT&W survive a restart through the state file; a bad
// file is ignored.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

namespace fs = std::filesystem;

class DeviceState : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("q30sim-state-" + std::to_string(::getpid()) + "-"
                                            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / "device.state").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    DeviceOptions options(Model model = Model::Q30) const
    {
        DeviceOptions o;
        o.model = model;
        o.stateFile = path_;
        return o;
    }
    void write_file(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

    fs::path dir_;
    std::string path_;
};

TEST_F(DeviceState, StoredSettingsSurviveARestart)
{
    {
        DeviceHarness h(options());
        ASSERT_TRUE(h.accepted("AT!P0#11*0=4711001"));
        ASSERT_EQ(h.value("AT!P20#11*1=0301234"), "1");
        ASSERT_TRUE(h.accepted("AT\\D13=08-18"));
        ASSERT_TRUE(h.accepted("ATS96=EUR"));
        ASSERT_TRUE(h.accepted("AT!P9#11=0")); // back to its power-up value
        ASSERT_TRUE(h.accepted("AT&W"));
        ASSERT_TRUE(h.accepted("AT!P0#11*1=999")); // not stored
    }
    EXPECT_TRUE(fs::exists(path_));
    DeviceHarness h(options());
    EXPECT_EQ(h.device.state_file_problem(), "");
    EXPECT_EQ(h.value("AT!P0#11*0?"), "4711001");
    EXPECT_EQ(h.value("AT!P20#11?"), "1 CFU 0301234");
    EXPECT_EQ(h.value("AT\\D13?"), "08-18");
    EXPECT_EQ(h.value("ATS96?"), "EUR");
    EXPECT_EQ(h.value("AT!P0#11*1?"), "");
    // Only the state file is left in the directory: no temporary files.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(DeviceState, MissingFileIsNoProblem)
{
    DeviceHarness h(options());
    EXPECT_EQ(h.device.state_file_problem(), "");
    EXPECT_EQ(h.value("AT!P0#11*0?"), "");
}

TEST_F(DeviceState, BadFileIsIgnoredAsAWhole)
{
    const std::string kBadFiles[] = {
        "AT!P0#11*0=4711001\nhello\n",
        "AT!P0#11*0=4711001\nAT!P9#11=99\n",
        "AT!P0#11*0=4711001\nAT!DOWNLOAD\n",
        "AT!P0#11*0=4711001\nAT!P24#11=0301234\n",
        "AT!P0#11*0=4711001\nAT!P9#11?\n",
        "AT!P0#11*0=4711001\n\x01\x02\xff\xfe",
        "AT!P0#11*0=4711001\nAT!P9#11=" + std::string(10000, '1') + "\n",
        [] { // every line good, but more than a megabyte of them
            std::string big;
            while (big.size() <= (1u << 20))
                big += "AT!P0#11*0=4711001\n";
            return big;
        }(),
    };
    for (const std::string& text : kBadFiles) {
        SCOPED_TRACE(text.substr(0, 40));
        write_file(text);
        DeviceHarness h(options());
        EXPECT_NE(h.device.state_file_problem(), "");
        EXPECT_EQ(h.value("AT!P0#11*0?"), "");
        EXPECT_TRUE(h.accepted("AT")); // and the device works
    }
}

TEST_F(DeviceState, LongFileWithCommentsLoadsToItsLastLine)
{
    std::string text;
    for (int i = 0; text.size() < 20000; ++i)
        text += "# a comment line that the device skips, number " + std::to_string(i) + "\r\n";
    write_file(text + "AT!P0#11*0=4711001\r\n");
    DeviceHarness h(options());
    EXPECT_EQ(h.device.state_file_problem(), "");
    EXPECT_EQ(h.value("AT!P0#11*0?"), "4711001");
}

TEST_F(DeviceState, FileOfTheLargerModelDoesNotLoadIntoTheSmaller)
{
    {
        DeviceHarness h(options());
        ASSERT_TRUE(h.accepted("AT!P0#31*0=4711005"));
        ASSERT_TRUE(h.accepted("AT&W"));
    }
    DeviceHarness small(options(Model::Q20));
    EXPECT_NE(small.device.state_file_problem(), "");
}

TEST_F(DeviceState, UnwritableFileMakesStoreFail)
{
    DeviceOptions o = options();
    o.stateFile = (dir_ / "missing-dir" / "device.state").string();
    DeviceHarness h(o);
    EXPECT_TRUE(h.refused("AT&W"));
}

} // namespace
} // namespace q30sim::testing

// The private copy of the configuration folder that screenshots and the
// command-line tool's reading commands run on.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "shell/scratch_config.h"
#include "../../test_folder_name.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

std::string read_all(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ScratchConfigFolder, CopiesTheDefaultProfileMarksTheFirstStartAndGoesAway)
{
    const fs::path user = fs::temp_directory_path() / test_folder_name("quillon-scratch-user-");
    fs::remove_all(user);
    fs::create_directories(user);
    std::ofstream(user / "default.pro") << "[SET_DIV]\nLANGUAGE=1\n";
    std::string scratchPath;
    {
        ScratchConfigFolder scratch(user.string(), "test");
        scratchPath = scratch.path();
        ASSERT_FALSE(scratchPath.empty());
        EXPECT_NE(fs::path(scratchPath), user);
        EXPECT_EQ(read_all(fs::path(scratchPath) / "default.pro"), "[SET_DIV]\nLANGUAGE=1\n");
        EXPECT_NE(read_all(fs::path(scratchPath) / "quillon.ini").find("FirstRun=1"), std::string::npos);
        // What the run writes stays in the copy.
        std::ofstream(fs::path(scratchPath) / "default.pro") << "[SET_DIV]\nLANGUAGE=0\n";
    }
    EXPECT_FALSE(fs::exists(scratchPath)) << "removed at the end";
    EXPECT_EQ(read_all(user / "default.pro"), "[SET_DIV]\nLANGUAGE=1\n");
    EXPECT_FALSE(fs::exists(user / "quillon.ini")) << "no first-run flag in the user's folder";
    fs::remove_all(user);

    // An empty or missing folder gives a fresh copy all the same.
    const fs::path missing = fs::temp_directory_path() / test_folder_name("quillon-no-such-folder-");
    ScratchConfigFolder fresh(missing.string(), "test");
    ASSERT_FALSE(fresh.path().empty());
    EXPECT_FALSE(fs::exists(fs::path(fresh.path()) / "default.pro"));
    EXPECT_TRUE(fs::exists(fs::path(fresh.path()) / "quillon.ini"));
    EXPECT_FALSE(fs::exists(missing)) << "the folder copied from is not made";
}

} // namespace
} // namespace quillon

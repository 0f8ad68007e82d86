// Profile files: reading what Windows wrote, writing without losing
// anything, and bad files read as defaults.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "profile/ini_file.h"
#include "../../test_folder_name.h"

namespace fs = std::filesystem;
using namespace quillon::profile;

namespace {

struct Ini : ::testing::Test {
    fs::path dir;
    std::string file;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / test_folder_name("quillon-ini-");
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "test.pro").string();
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    void write_raw(const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    std::string raw() const
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

} // namespace

TEST_F(Ini, ReadsAProfileWrittenOnWindows)
{
    write_raw("[SET_DIV]\r\nLANGUAGE=2\r\nSOUNDON=1\r\n\r\n[MSN_DIV]\r\nALIAS0=K\xFC" "che\r\nALIASD=\"data\"\r\n");
    EXPECT_EQ(read_int(file, "set_div", "language", 0), 2) << "names match without regard to case";
    EXPECT_EQ(read_int(file, "SET_DIV", "SOUNDON", 0), 1);
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS0", ""), "K\xC3\xBC" "che") << "Windows-1252 becomes UTF-8";
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIASD", ""), "data") << "matching quotes are dropped";
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS1", "none"), "none");
    EXPECT_EQ(read_int(file, "NO_DIV", "LANGUAGE", 7), 7);
}

TEST_F(Ini, NumbersAreReadLikeTheWindowsFunctions)
{
    write_raw("[S]\nA= 42x\nB=-3\nC=abc\nD=99999999999\nE=\n");
    EXPECT_EQ(read_int(file, "S", "A", 0), 42);
    EXPECT_EQ(read_int(file, "S", "B", 0), -3);
    EXPECT_EQ(read_int(file, "S", "C", 5), 5);
    EXPECT_EQ(read_int(file, "S", "D", 0), 2147483647);
    EXPECT_EQ(read_int(file, "S", "E", 9), 9);
}

TEST_F(Ini, LongValuesKeep49CharactersWithoutSplittingOne)
{
    std::string umlauts;
    for (int i = 0; i < 60; ++i)
        umlauts += "\xC3\xA4";  // ä
    write_raw("[S]\nK=" + umlauts + "\n");
    std::string read = read_string(file, "S", "K", "");
    EXPECT_EQ(read.size(), 98u) << "49 characters of two bytes each";
    EXPECT_EQ(read_string(file, "S", "K", "", 3), "\xC3\xA4\xC3\xA4\xC3\xA4");
}

TEST_F(Ini, WritingKeepsEverythingElse)
{
    write_raw("; a comment\r\n[MSN_DIV]\r\nALIAS0=Fax\r\nPORTIDX0=3\r\n\r\n[SET_DIV]\r\nLANGUAGE=0\r\n");
    ASSERT_TRUE(write_string(file, "set_div", "LANGUAGE", "1").ok);
    ASSERT_TRUE(write_string(file, "MSN_DIV", "ALIAS1", "Office").ok);
    ASSERT_TRUE(write_string(file, "NEW_DIV", "KEY", "v").ok);
    EXPECT_EQ(raw(),
              "; a comment\n[MSN_DIV]\nALIAS0=Fax\nPORTIDX0=3\nALIAS1=Office\n\n[SET_DIV]\nLANGUAGE=1\n\n"
              "[NEW_DIV]\nKEY=v\n");
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS1", ""), "Office");
}

TEST_F(Ini, AWriteCreatesAMissingFile)
{
    ASSERT_TRUE(write_int(file, "Quillon", "FirstRun", 1).ok);
    EXPECT_EQ(raw(), "[Quillon]\nFirstRun=1\n");
}

TEST_F(Ini, ABadFileReadsAsDefaults)
{
    std::string garbage(3000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 31 + 7);
    write_raw(garbage);
    EXPECT_EQ(read_int(file, "SET_DIV", "LANGUAGE", 0), 0);
    write_raw("[S]\nK=" + std::string(3'000'000, 'x') + "\n");
    EXPECT_EQ(read_string(file, "S", "K", "d").size(), 49u) << "a huge line is cut, not a crash";
    EXPECT_EQ(read_string(dir.string(), "S", "K", "d"), "d") << "a folder is no profile";
}

TEST_F(Ini, AFailedWriteSaysWhyAndLeavesTheOldFile)
{
    write_raw("[S]\nK=old\n");
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    WriteResult r = write_string(file, "S", "K", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(read_string(file, "S", "K", ""), "old");
}

TEST_F(Ini, AWriteIntoAFolderThatIsGoneFailsCleanly)
{
    WriteResult r = write_string((dir / "missing" / "x.pro").string(), "S", "K", "v");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
}

TEST_F(Ini, ValuesThatWouldBreakTheFileAreRefused)
{
    write_raw("[S]\nK=old\n");
    EXPECT_FALSE(write_string(file, "S", "K", "two\nlines").ok);
    EXPECT_FALSE(write_string(file, "S", "K=", "v").ok);
    EXPECT_EQ(raw(), "[S]\nK=old\n");
    EXPECT_TRUE(fs::directory_iterator(dir) != fs::directory_iterator{});
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

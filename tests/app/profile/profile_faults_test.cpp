// Profiles under faults found in use: mixed encodings, interrupted saves,
// linked and read-only files. Only the one-key functions are used here, as
// every caller had them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "profile/ini_file.h"
#include "profile_folder.h"

namespace fs = std::filesystem;
using namespace quillon::profile;
using ProfileFaults = quillon::profile::testing::ProfileFolder;

TEST_F(ProfileFaults, EncodingIsDecidedLineByLine)
{
    // "Müller" in UTF-8 beside "Küche" in Windows-1252, in either order.
    write_raw("[MSN_DIV]\r\nALIAS0=M\xC3\xBCller\r\nALIAS1=K\xFC" "che\r\nALIAS2=Stra\xC3\x9F" "e\r\n");
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS0", ""), "M\xC3\xBCller");
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS1", ""), "K\xC3\xBC" "che");
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS2", ""), "Stra\xC3\x9F" "e");

    ASSERT_TRUE(write_string(file, "MSN_DIV", "ALIAS3", "Fax").ok);
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS0", ""), "M\xC3\xBCller") << "a write keeps the untouched values";
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS1", ""), "K\xC3\xBC" "che");
    EXPECT_EQ(read_string(file, "MSN_DIV", "ALIAS2", ""), "Stra\xC3\x9F" "e");
}

TEST_F(ProfileFaults, AUnicodeProfileFromAWindowsEditorReads)
{
    // "[SET_DIV]\r\nUNIT=€\r\n" as UTF-16, little-endian with its mark.
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("[SET_DIV]\r\nUNIT=")) {
        bytes += c;
        bytes += '\0';
    }
    bytes += std::string("\xAC\x20\r\0\n\0", 6);
    write_raw(bytes);
    EXPECT_EQ(read_string(file, "SET_DIV", "UNIT", "missing"), "\xE2\x82\xAC");
}

TEST_F(ProfileFaults, StaleTemporariesOfOursAreRemovedOnTheNextWrite)
{
    write_raw("[S]\nK=old\n");
    const std::vector<std::string> stale = {"test.pro.aB3xYz", "test.pro.Q9q9Q9", "test.pro.quillon-tmp-Q1w2E3",
                                            "test.pro.quillon-tmp-abcdef"};
    const std::vector<std::string> others = {
        "test.pro.backup",   // a word someone chose, not mkstemp's letters
        "test.pro.bak",      "test.pro.aB3xYz7", "other.pro.aB3xYz", "test.proXaB3xYz",
        "test.pro.quillon-tmp-Q1w2E", "test.pro.aB-xYz",
    };
    for (const auto& name : stale)
        write_raw((dir / name).string(), "[S]\nK=half");
    for (const auto& name : others)
        write_raw((dir / name).string(), "keep me");
    fs::create_directory(dir / "test.pro.Zz9Zz9");  // no regular file: not ours

    ASSERT_TRUE(write_string(file, "S", "K", "new").ok);

    std::vector<std::string> expected = others;
    expected.push_back("test.pro");
    expected.push_back("test.pro.Zz9Zz9");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(), expected);
    for (const auto& name : others)
        EXPECT_EQ(raw((dir / name).string()), "keep me") << name;
}

TEST_F(ProfileFaults, StaleTemporariesOfAnotherUserStay)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to make a file of another user";
    write_raw((dir / "test.pro.aB3xYz").string(), "theirs");
    ASSERT_EQ(chown((dir / "test.pro.aB3xYz").c_str(), 54321, 54321), 0);
    ASSERT_TRUE(write_string(file, "S", "K", "v").ok);
    EXPECT_TRUE(fs::exists(dir / "test.pro.aB3xYz"));
}

TEST_F(ProfileFaults, ALinkedProfileIsWrittenThroughTheLink)
{
    fs::create_directories(dir / "real");
    const std::string target = (dir / "real" / "profile.pro").string();
    write_raw(target, "; mine\n[S]\nK=old\n");
    fs::create_symlink("real/profile.pro", file);  // relative, as people make them

    ASSERT_TRUE(write_string(file, "S", "K", "new").ok);
    EXPECT_TRUE(fs::is_symlink(file)) << "the link stays a link";
    EXPECT_EQ(fs::read_symlink(file), "real/profile.pro");
    EXPECT_EQ(raw(target), "; mine\n[S]\nK=new\n");
    EXPECT_EQ(read_string(file, "S", "K", ""), "new");

    // A chain of links, ending where no file is yet: the file is made there.
    const std::string second = (dir / "second.pro").string();
    fs::create_symlink(file, second);
    fs::remove(target);
    ASSERT_TRUE(write_string(second, "S", "K", "made").ok);
    EXPECT_TRUE(fs::is_symlink(second));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(raw(target), "[S]\nK=made\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"real", "second.pro", "test.pro"})) << "no temporary left";
}

TEST_F(ProfileFaults, AReadOnlyProfileIsRefusedAndNamed)
{
    write_raw("[S]\nK=old\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    struct stat before{};
    ASSERT_EQ(stat(file.c_str(), &before), 0);

    const WriteResult r = write_string(file, "S", "K", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("read-only"), std::string::npos) << r.error;
    EXPECT_EQ(r.file, file);
    EXPECT_NE(r.message().find(file), std::string::npos) << "the message names the file";

    struct stat after{};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(raw(), "[S]\nK=old\n");
    EXPECT_EQ(after.st_ino, before.st_ino) << "not replaced";
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(names(), std::vector<std::string>{"test.pro"});
}

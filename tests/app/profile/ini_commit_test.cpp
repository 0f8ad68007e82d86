// Committing a profile: one atomic replacement per save, failures reported
// with the old file left byte for byte, files that were not read never
// overwritten, permissions kept.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "profile/file_ops.h"
#include "profile/ini_document.h"
#include "profile/ini_file.h"
#include "profile_folder.h"

namespace fs = std::filesystem;
using namespace quillon::profile;
using IniCommit = quillon::profile::testing::ProfileFolder;

namespace {

struct CallCounts {
    int temps = 0, writes = 0, fsyncs = 0, renames = 0;
};

// The real calls, counted.
FileOps counting(CallCounts& counts)
{
    FileOps real = system_file_ops();
    FileOps ops = real;
    ops.create_temp = [&counts, real](char* name) { ++counts.temps; return real.create_temp(name); };
    ops.write = [&counts, real](int fd, const char* data, std::size_t size) { ++counts.writes; return real.write(fd, data, size); };
    ops.fsync = [&counts, real](int fd) { ++counts.fsyncs; return real.fsync(fd); };
    ops.rename = [&counts, real](const char* from, const char* to) { ++counts.renames; return real.rename(from, to); };
    return ops;
}

mode_t mode_of(const std::string& path)
{
    struct stat st{};
    EXPECT_EQ(stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

const std::string kOld = "; kept\r\n[SET_DIV]\r\nLANGUAGE=1\r\nUNIT=\x80\r\n";

} // namespace

TEST_F(IniCommit, ASaveOfManyKeysInSeveralSectionsIsOneRename)
{
    write_raw(kOld);
    CallCounts counts;
    ScopedFileOps seam(counting(counts));

    IniDocument doc = IniDocument::open(file);
    ASSERT_TRUE(doc.exists() && doc.readable());
    for (const char* section : {"SET_DIV", "BACK_DIV", "MSN_DIV", "DATA_DIV"})
        for (int k = 0; k < 14; ++k)
            ASSERT_TRUE(doc.write_int(section, "KEY" + std::to_string(k), k));
    const WriteResult r = doc.commit();
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(counts.renames, 1);
    EXPECT_EQ(counts.fsyncs, 1);
    EXPECT_FALSE(doc.dirty());

    const IniDocument again = IniDocument::open(file);
    EXPECT_EQ(again.read_int("DATA_DIV", "KEY13", -1), 13);
    EXPECT_EQ(again.read_int("SET_DIV", "LANGUAGE", -1), 1);
    EXPECT_EQ(again.read_string("SET_DIV", "UNIT", ""), "\xE2\x82\xAC");

    EXPECT_TRUE(doc.commit().ok) << "nothing changed since";
    EXPECT_EQ(counts.renames, 1) << "nothing written";
    EXPECT_EQ(names(), std::vector<std::string>{"test.pro"});
}

TEST_F(IniCommit, EachFailingStepIsReportedAndLeavesTheOldFile)
{
    struct Fault {
        const char* step;
        int error;
        const char* reason;
    };
    for (const Fault& fault : {Fault{"create", EACCES, "Permission denied"}, Fault{"write", ENOSPC, "No space left on device"},
                               Fault{"fsync", EIO, "Input/output error"}, Fault{"rename", EXDEV, "Invalid cross-device link"}}) {
        SCOPED_TRACE(fault.step);
        write_raw(kOld);
        FileOps ops = system_file_ops();
        const FileOps real = ops;
        const std::string step = fault.step;
        const int error = fault.error;
        if (step == "create")
            ops.create_temp = [error](char*) { errno = error; return -1; };
        if (step == "write")  // a full disk: the first part goes, the rest does not
            ops.write = [error, real, first = true](int fd, const char* data, std::size_t size) mutable -> ssize_t {
                if (first && size > 4) {
                    first = false;
                    return real.write(fd, data, 4);
                }
                errno = error;
                return -1;
            };
        if (step == "fsync")
            ops.fsync = [error](int) { errno = error; return -1; };
        if (step == "rename")
            ops.rename = [error](const char*, const char*) { errno = error; return -1; };
        ScopedFileOps seam(ops);

        IniDocument doc = IniDocument::open(file);
        ASSERT_TRUE(doc.write_string("SET_DIV", "LANGUAGE", "2"));
        const WriteResult r = doc.commit();
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, fault.reason);
        EXPECT_EQ(r.file, file);
        EXPECT_EQ(raw(), kOld) << "byte for byte";
        EXPECT_EQ(names(), std::vector<std::string>{"test.pro"}) << "no temporary left";
        EXPECT_TRUE(doc.dirty()) << "the changes are still there to retry";
    }
}

TEST_F(IniCommit, AReadOnlyFolderIsReported)
{
    write_raw(kOld);
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder (the failure itself is simulated above)";
    fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    IniDocument doc = IniDocument::open(file);
    ASSERT_TRUE(doc.write_int("SET_DIV", "LANGUAGE", 2));
    const WriteResult r = doc.commit();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Permission denied");
    EXPECT_EQ(raw(), kOld);
}

TEST_F(IniCommit, AFileThatWasNotReadIsNeverOverwritten)
{
    // Too large to be a profile.
    const std::string large = "[S]\nK=" + std::string(4 * 1024 * 1024, 'x') + "\n";
    write_raw(large);
    IniDocument doc = IniDocument::open(file);
    EXPECT_TRUE(doc.exists());
    EXPECT_FALSE(doc.readable());
    EXPECT_EQ(doc.error(), "file too large");
    ASSERT_TRUE(doc.write_string("S", "K", "small"));
    const WriteResult r = doc.commit();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "file too large");
    EXPECT_FALSE(write_string(file, "S", "K", "small").ok);
    EXPECT_EQ(fs::file_size(file), large.size());

    // No regular file.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_FALSE(write_string(file, "S", "K", "v").ok);
    EXPECT_TRUE(fs::is_directory(file));

    // Unreadable to its user.
    fs::remove(file);
    write_raw(kOld);
    fs::permissions(file, fs::perms::owner_write);
    if (geteuid() != 0) {
        IniDocument unreadable = IniDocument::open(file);
        EXPECT_FALSE(unreadable.readable());
        EXPECT_EQ(unreadable.error(), "Permission denied");
        ASSERT_TRUE(unreadable.write_int("S", "K", 1));
        EXPECT_FALSE(unreadable.commit().ok);
        fs::permissions(file, fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(raw(), kOld);
    }
}

TEST_F(IniCommit, ARewrittenProfileKeepsItsPermissions)
{
    for (fs::perms perms : {fs::perms::owner_read | fs::perms::owner_write,
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_write}) {
        write_raw(kOld);
        fs::permissions(file, perms);
        ASSERT_TRUE(write_int(file, "SET_DIV", "LANGUAGE", 2).ok);
        EXPECT_EQ(mode_of(file), static_cast<mode_t>(perms));
        EXPECT_EQ(read_int(file, "SET_DIV", "LANGUAGE", -1), 2);
    }

    // A new file gets what the user's mask allows.
    const mode_t mask = umask(027);
    ASSERT_TRUE(write_int((dir / "new.pro").string(), "S", "K", 1).ok);
    umask(mask);
    EXPECT_EQ(mode_of((dir / "new.pro").string()), 0640u);
}

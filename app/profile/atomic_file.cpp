#include "profile/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "profile/file_ops.h"
#include "profile/temporary_files.h"

namespace quillon::profile {

namespace {

constexpr int kMaxLinkDepth = 40;  // as the kernel's limit on nested links

WriteResult failure(const std::string& file, std::string reason) { return {false, std::move(reason), file}; }

WriteResult failure_from_errno(const std::string& file, int err)
{
    return failure(file, std::strerror(err != 0 ? err : EIO));
}

mode_t new_file_mode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Whether the existing file at `target` may be replaced; the reason if not.
std::string why_not_writable(const std::string& target, const struct stat& st)
{
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    // Mode bits first: even a user who could replace it (root) keeps off a
    // file marked read-only.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return "the file is read-only";
    if (access(target.c_str(), W_OK) != 0)
        return std::strerror(errno);
    return {};
}

bool write_all(int fd, std::string_view bytes, int& err)
{
    const FileOps& ops = file_ops();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable.
void sync_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

std::string resolve_links(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st{};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = readlink(current.c_str(), target.data(), PATH_MAX);
        if (n <= 0)
            return current;
        std::string next(target.data(), static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : folder_of(current) + "/" + next;
    }
    return current;  // a loop: the write fails on it with the system's reason
}

WriteResult replace_file(const std::string& path, std::string_view bytes)
{
    const std::string target = resolve_links(path);
    const FileOps& ops = file_ops();

    struct stat st{};
    const bool exists = stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return failure_from_errno(path, errno);
    if (exists) {
        if (std::string reason = why_not_writable(target, st); !reason.empty())
            return failure(path, reason);
    }

    remove_stale_temporaries(target);
    if (target != path)
        remove_stale_temporaries(path);

    std::string tempName = temporary_template(target);
    const int fd = ops.create_temp(tempName.data());
    if (fd < 0)
        return failure_from_errno(path, errno);

    // Owner and mode before the content, so that it is never readable by more
    // people than the old file was. Only some users may give a file away;
    // where that fails the mode is kept all the same.
    if (exists && (st.st_uid != geteuid() || st.st_gid != getegid()))
        (void)!fchown(fd, st.st_uid, st.st_gid);
    fchmod(fd, exists ? (st.st_mode & 07777) : new_file_mode());

    int err = 0;
    bool written = write_all(fd, bytes, err);
    if (written && ops.fsync(fd) != 0) {
        err = errno;
        written = false;
    }
    if (close(fd) != 0 && written) {
        err = errno;
        written = false;
    }
    if (!written || ops.rename(tempName.c_str(), target.c_str()) != 0) {
        if (written)
            err = errno;
        unlink(tempName.c_str());
        return failure_from_errno(path, err);
    }
    sync_folder(folder_of(target));
    return {true, {}, path};
}

} // namespace quillon::profile

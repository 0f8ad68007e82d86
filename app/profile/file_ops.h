// The file-system calls a profile commit makes, replaceable so that tests can
// count renames and simulate failures (a full disk, a read-only folder).
#pragma once

#include <cstddef>
#include <functional>

#include <sys/types.h>

namespace quillon::profile {

struct FileOps {
    std::function<int(char* nameTemplate)> create_temp;  // as mkstemp: an open fd, or -1 with errno
    std::function<ssize_t(int fd, const char* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;
};

// The real calls.
FileOps system_file_ops();

// The calls commits use now.
const FileOps& file_ops();

// Replaces the calls for its lifetime (tests; not for use across threads).
class ScopedFileOps {
public:
    explicit ScopedFileOps(FileOps ops);
    ~ScopedFileOps();
    ScopedFileOps(const ScopedFileOps&) = delete;
    ScopedFileOps& operator=(const ScopedFileOps&) = delete;

private:
    FileOps previous_;
};

} // namespace quillon::profile

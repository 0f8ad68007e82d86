#include "profile/file_ops.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <unistd.h>

namespace quillon::profile {

namespace {

FileOps& current()
{
    static FileOps ops = system_file_ops();
    return ops;
}

} // namespace

FileOps system_file_ops()
{
    return FileOps{
        [](char* nameTemplate) { return ::mkstemp(nameTemplate); },
        [](int fd, const char* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return std::rename(from, to); },
    };
}

const FileOps& file_ops() { return current(); }

ScopedFileOps::ScopedFileOps(FileOps ops) : previous_(std::exchange(current(), std::move(ops))) {}

ScopedFileOps::~ScopedFileOps() { current() = std::move(previous_); }

} // namespace quillon::profile

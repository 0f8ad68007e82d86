// Reading a file named on the command line without trusting its size: a
// directory, a device node or an endless stream must not take all memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillon::cli {

struct BoundedRead {
    enum class Status { Read, TooLarge, Unreadable };
    Status status = Status::Unreadable;
    std::vector<char> bytes; // the whole file when Read
    std::string problem;     // why it could not be read when Unreadable
};

// Reads the file at `path` when it holds at most `limit` bytes; a longer
// one is read only as far as needed to know that.
BoundedRead read_file_at_most(const std::string& path, std::size_t limit);

} // namespace quillon::cli

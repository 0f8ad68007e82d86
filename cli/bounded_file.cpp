#include "bounded_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::cli {

namespace {

BoundedRead unreadable(std::string problem)
{
    BoundedRead r;
    r.problem = std::move(problem);
    return r;
}

} // namespace

BoundedRead read_file_at_most(const std::string& path, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return unreadable(std::strerror(errno));
    struct stat st{};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int why = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return unreadable(std::strerror(why));
    }
    // One byte beyond the limit tells a file of exactly `limit` bytes from a longer one.
    BoundedRead r;
    r.bytes.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < r.bytes.size()) {
        const ssize_t n = ::read(fd, r.bytes.data() + filled, r.bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int why = errno;
            ::close(fd);
            return unreadable(std::strerror(why));
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (filled > limit) {
        r.status = BoundedRead::Status::TooLarge;
        r.bytes.clear();
        return r;
    }
    r.bytes.resize(filled);
    r.status = BoundedRead::Status::Read;
    return r;
}

} // namespace quillon::cli

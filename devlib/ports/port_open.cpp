#include "q30com32/port_open.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace q30 {

namespace {

OpenError classify_open_errno(int err)
{
    switch (err) {
    case ENOENT:
    case ENXIO:
    case ENODEV: return OpenError::NotFound;
    case EACCES:
    case EPERM: return OpenError::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK: return OpenError::Busy;
    case ENOTTY: return OpenError::NotATerminal;
    default: return OpenError::Other;
    }
}

} // namespace

int open_serial_port(const std::string& path, OpenError* why)
{
    auto fail = [&](int fd, int err) {
        if (fd >= 0)
            ::close(fd);
        if (why)
            *why = classify_open_errno(err);
        return -1;
    };
    if (why)
        *why = OpenError::None;
    // Non-blocking, so that a port waiting for carrier cannot hang the open;
    // every transfer waits with poll() instead.
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(-1, errno);
    if (!isatty(fd))
        return fail(fd, ENOTTY);
    // The advisory lock holds for root too; the kernel's exclusive mode keeps
    // other users' programs from opening the port behind our back.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(fd, errno == EWOULDBLOCK ? EBUSY : errno);
    if (ioctl(fd, TIOCEXCL) != 0)
        return fail(fd, errno);
    return fd;
}

void close_serial_port(int fd)
{
    if (fd < 0)
        return;
    // Exclusive mode outlives our descriptor while another holds the node open.
    ioctl(fd, TIOCNXCL);
    ::close(fd);
}

} // namespace q30

// The library's one export. One lock guards the whole library, so at most
// one command is on the line at a time.
#include <mutex>

#include "driver.h"
#include "q30com32/q30com32.h"

namespace {

std::mutex& library_lock()
{
    static std::mutex lock;
    return lock;
}

q30::Driver& driver()
{
    static q30::Driver instance;
    return instance;
}

} // namespace

extern "C" int32_t D_SendDrvCmd(uint32_t code, DrvCmd* record)
{
    std::lock_guard<std::mutex> hold(library_lock());
    return driver().send(code, record);
}

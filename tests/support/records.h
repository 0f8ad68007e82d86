// Command records as the program builds them: cleared, then filled.
#pragma once

#include <cstring>

#include "q30com32/drvcmd.h"

namespace testsupport {

inline DrvCmd record(int32_t port = 0, int32_t index = 0, int32_t op = 0)
{
    DrvCmd r;
    std::memset(&r, 0, sizeof r);
    r.port = port;
    r.index = index;
    r.op = op;
    return r;
}

} // namespace testsupport

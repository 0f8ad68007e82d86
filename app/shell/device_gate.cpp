#include "shell/device_gate.h"

#include <cstring>

namespace quillon {

DrvCmd blank_record(int32_t port, int32_t index, int32_t op)
{
    DrvCmd r;
    std::memset(&r, 0, sizeof r);
    r.port = port;
    r.index = index;
    r.op = op;
    return r;
}

} // namespace quillon

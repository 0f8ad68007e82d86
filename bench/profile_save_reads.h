// The device reads a profile save of a Q30 issues: the data callback
// settings, then the reads of every page with a profile section (the MSN page
// reads nothing of its own; the MSNs were read at connection).
#pragma once

#include <cstdint>
#include <vector>

#include "q30com32/drvcmd.h"

namespace bench {

struct Read {
    uint32_t code;
    int32_t port;
    int32_t index;
    int32_t op;
    int32_t protocol = 0;  // DRV_DATA_PARAM: the protocol number the parameter belongs to
};

std::vector<Read> profile_save_reads();

DrvCmd record_for(const Read& read);

} // namespace bench

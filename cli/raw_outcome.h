// Whether the answer to one command code counts as success. Generic codes
// report a missing reply in their result and a refusal in `ok`; the special
// codes each have a small result set of their own.
#pragma once

#include <cstdint>
#include <string>

#include "q30com32/drvcmd.h"

namespace quillon::cli {

// Why the command failed (the library refused the record, the device did
// not answer or refused it), or an empty string when it did not fail.
std::string failure_of(uint32_t code, int32_t result, const DrvCmd& record);

} // namespace quillon::cli

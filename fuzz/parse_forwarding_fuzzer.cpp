// Fuzzes the reply parsers of call forwarding state and target.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_FORWARD_20, DRV_FORWARD_21, DRV_FORWARD_22},
                          {kStr}, data, size);
}

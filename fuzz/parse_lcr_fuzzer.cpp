// Fuzzes the reply parsers of the least cost routing entries.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_LCR_TIME, DRV_LCR_PREFIX, DRV_LCR_EXCLUDED},
                          {kStr, kStr2, kStr3}, data, size);
}

// Fuzzes the reply parsers of the on/off switches.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_CLIP, DRV_ACCEPT_P2, DRV_ACCEPT_P8, DRV_SPECIAL_RING, DRV_FILTER_FLAG, DRV_LCR_ON,
                           DRV_LCR_LOCAL, DRV_LCR_ACTIVE, DRV_LCR_RANGE_ON, DRV_CALLBACK_ON},
                          {}, data, size);
}

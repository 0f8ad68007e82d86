// Fuzzes the reply parsers of the text values read into `str`.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_MSN, DRV_SHORT_DIAL, DRV_FILTER_NUMBER, DRV_CHARGE_UNIT, DRV_LOCAL_CODE,
                           DRV_PABX_PREFIX, DRV_S75, DRV_CALLBACK_NUMBER, DRV_S99, DRV_CURRENCY},
                          {kStr}, data, size);
}

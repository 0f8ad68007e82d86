// Fuzzes the reply parsers of line information texts, numbers and port status columns.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_ISDN_C1, DRV_ISDN_S71, DRV_ISDN_S0, DRV_ISDN_S1, DRV_PORT_STATUS, DRV_P25},
                          {}, data, size);
}

// Fuzzes the reply parsers of the one-digit values.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_ACCEPT_P9, DRV_ACCEPT_P6, DRV_ACCEPT_P1, DRV_LANGUAGE},
                          {}, data, size);
}

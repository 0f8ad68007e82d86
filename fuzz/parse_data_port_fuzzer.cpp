// Fuzzes the reply parsers of the data port parameters and registers.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_DATA_PARAM, DRV_DATA_P3P4, DRV_DATA_PN},
                          {kDataText}, data, size);
}

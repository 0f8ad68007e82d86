// Fuzzes the reply parsers of the call lists handed to the caller buffer.
#include "catalogue_fuzz_case.h"

using namespace q30;
using namespace q30::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return run_parse_case({DRV_CALL_RECORD},
                          {}, data, size);
}

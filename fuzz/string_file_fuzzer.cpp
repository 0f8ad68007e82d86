// Fuzzes the reader of .strings files.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "resources/string_file.h"

using namespace quillon::resources;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<ParseError> errors;
    const std::vector<detail::StringEntry> entries =
        detail::parse_string_file(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.strings", errors);
    for (const auto& entry : entries)
        if (entry.line < 1)
            __builtin_trap();
    return 0;
}

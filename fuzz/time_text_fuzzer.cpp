// The morning call's time check on arbitrary text: no crash, an accepted
// text is a time of day, and its full form reads back as the same time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pages/time_of_day.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto time = quillon::check_time_text(text);
    if (!time)
        return 0;
    if (time->hour < 0 || time->hour > 23 || time->minute < 0 || time->minute > 59)
        std::abort();
    const std::string full = quillon::format_time_of_day(*time);
    const auto again = quillon::check_time_text(full);
    if (full.size() != 5 || !again || !(*again == *time))
        std::abort();
    return 0;
}

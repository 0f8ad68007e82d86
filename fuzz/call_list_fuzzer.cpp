// Call list rows from arbitrary device text: no crash, at most ten rows,
// every column bounded, and the display forms for each row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pages/call_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the list, the rest is the text.
    const int list = data[0] % quillon::kCallListCount;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const quillon::CallListText parsed = quillon::parse_call_list(text, list);
    if (parsed.entries.size() > quillon::kMaxCallEntries)
        std::abort();
    const quillon::PortNames names = {"Kitchen", "Office", "Fax", "\"31\"", "\"32\"", "\"data\""};
    for (const quillon::CallEntry& e : parsed.entries) {
        for (const std::string* column : {&e.date, &e.time, &e.number, &e.duration, &e.charge, &e.unit})
            if (column->size() > quillon::kMaxCallColumnChars)
                std::abort();
        if (list != quillon::kOutgoingCalls && (!e.charge.empty() || !e.unit.empty()))
            std::abort();
        (void)quillon::call_date_time_text(e);
        (void)quillon::call_number_text(e, names);
        (void)quillon::call_charge_text(e);
    }
    return 0;
}

// Charge counter and total texts as any device might word them: no crash, no
// read past the text, and every figure either the device's own characters
// or the placeholder for a missing label.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pages/charge_figures.h"

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t ports : {quillon::kSmallerModelAnaloguePorts, std::size_t{5}}) {
        const quillon::ChargeRow row = quillon::parse_charge_counter(text, ports);
        for (std::size_t c = 0; c < quillon::kChargeColumns; ++c) {
            const quillon::ChargeFigure& f = row[c];
            require(f.amount == quillon::kNoCharge || f.amount.size() <= size);
            require(f.unit.size() <= size);
            require(f.amount.find_first_of("\r\n ") == std::string::npos);
            require(f.unit.find_first_of("\r\n") == std::string::npos);
            if (!f.labelled && (c < ports || c == quillon::kDataPortColumn))
                require(f.amount == quillon::kNoCharge);
        }
    }
    const std::string total = quillon::parse_charge_total(text);
    require(total.size() <= size && total.find_first_of("\r\n ") == std::string::npos);
    return 0;
}

// Destination classification on arbitrary text and port names: no crash,
// a result in range, and a display text for every device form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pages/destination.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first bytes up to each NUL are the five names, the rest the text.
    quillon::PortNames names;
    std::size_t at = 0;
    for (int i = 0; i < quillon::kMaxPorts; ++i) {
        const std::size_t end = input.find('\0', at);
        if (end == std::string::npos)
            break;
        names[static_cast<std::size_t>(i)] = input.substr(at, end - at);
        at = end + 1;
    }
    const std::string text = input.substr(at);
    const int c = quillon::ClassifyDestination(text, names);
    if (c < quillon::DEST_INVALID || c >= quillon::DEST_PORT_CODE + quillon::kMaxPorts)
        std::abort();
    (void)quillon::destination_display_text(quillon::destination_device_form(text, names), names);
    return 0;
}

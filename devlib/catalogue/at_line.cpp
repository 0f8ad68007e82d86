#include "at_line.h"

#include <cstdarg>
#include <cstdio>

#include "q30com32/command_codes.h"

namespace q30::catalogue {

std::string at_line(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);

    std::string line;
    if (length > 0) {
        line.resize(static_cast<std::size_t>(length));
        // vsnprintf writes the NUL at line[length], which std::string owns.
        std::vsnprintf(line.data(), line.size() + 1, format, again);
    }
    va_end(again);
    return line;
}

char query_mark(int32_t op) { return op == OP_QUERY ? '?' : '='; }

char bit_char(int32_t on) { return on != 0 ? '1' : '0'; }

bool is_port_form(int32_t port) { return port >= kFirstAnaloguePort; }

} // namespace q30::catalogue

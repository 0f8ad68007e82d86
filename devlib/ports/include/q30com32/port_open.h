// Opening a serial device node the way the library holds it: exclusively,
// without becoming its controlling terminal, and without waiting for carrier.
#pragma once

#include <string>

namespace q30 {

enum class OpenError {
    None,
    NotFound,          // no such device node
    PermissionDenied,  // the user may not open it
    Busy,              // another program holds it
    NotATerminal,      // it exists but is no serial port
    Other,
};

// The open descriptor (non-blocking, close-on-exec), or -1 with `why` set.
int open_serial_port(const std::string& path, OpenError* why = nullptr);

// Gives up the exclusive hold and closes the descriptor.
void close_serial_port(int fd);

} // namespace q30

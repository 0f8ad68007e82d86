// The one export of the device command library.
#pragma once

#include <cstdint>

#include "q30com32/command_codes.h"
#include "q30com32/drvcmd.h"

extern "C" {

// Sends one command to the device. `code` counts as its low 16 bits; `record`
// may be null for codes that use none. Safe to call from any thread: one
// command is on the line at a time.
__attribute__((visibility("default"))) int32_t D_SendDrvCmd(uint32_t code, DrvCmd* record);

} // extern "C"

// A stand-in for the device command library: answers the codes the shell
// uses from a few switches, and records every call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "q30com32/q30com32.h"
#include "shell/device_gate.h"

namespace shelltest {

struct FakeLibrary {
    bool present = true;         // answers the search and every command
    int model = 30;
    bool usb = false;
    std::string firmware = "1.3.4";
    std::string bootCode = "1.02";
    int bootLoaderOnCom = -1;    // a device in its boot loader on this COM index
    int pingFailuresLeft = 0;    // the next pings that get no answer
    bool reopenWorks = false;    // a reopen finds the device even while pings fail
    int deviceLanguage = 0;
    std::vector<uint32_t> calls;

    int32_t operator()(uint32_t code, DrvCmd* r);
    int count(uint32_t code) const;
    quillon::DeviceCall call() { return [this](uint32_t c, DrvCmd* r) { return (*this)(c, r); }; }
};

} // namespace shelltest

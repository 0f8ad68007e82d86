// The library's command layer: dispatches a command code with its record to
// the generic query/set sequence or to a special sequence, over one serial
// link. Not thread-safe on its own: the exported entry point holds a lock
// around every call.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "q30com32/command_codes.h"
#include "q30com32/drvcmd.h"
#include "serial_link.h"
#include "trace.h"

namespace q30 {

// What the library knows of the connected device.
struct DeviceIdentity {
    int comIndex = 0;        // 0 is COM1
    int model = kModelUnknown;
    int usb = 0;
    std::string firmware;    // first line of the ATI3 answer
    std::string bootCode;    // the ATI3 answer after "CODE" and one separator
};

// Waits of the boot reset; tests may shorten them.
struct BootResetTiming {
    std::chrono::milliseconds dtrLow{5000};
    std::chrono::milliseconds afterDtr{2000};
};

class Driver {
public:
    Driver() : link_(trace_) {}

    int32_t send(uint32_t code, DrvCmd* rec);

    const DeviceIdentity& identity() const { return identity_; }
    SerialLink& link() { return link_; }
    void set_boot_reset_timing(BootResetTiming t) { bootTiming_ = t; }

private:
    // Generic sequence and the special codes, by family.
    int32_t generic(uint32_t code, DrvCmd& rec);
    int32_t dial_back(uint32_t code, DrvCmd& rec);
    int32_t ping();
    int32_t store();

    bool identify();
    bool connect(int comIndex);
    int32_t find_device();
    int32_t reopen();
    int32_t device_info(DrvCmd& rec);

    int32_t call_check();
    int32_t download_start();
    int32_t write_raw(DrvCmd& rec);
    int32_t download_result();
    int32_t boot_open(DrvCmd& rec);
    int32_t boot_reset(DrvCmd& rec);
    int32_t set_speed(DrvCmd& rec);

    // Sends one line and reads one reply with the given time-out into reply_,
    // complete as `end` says.
    int exchange(std::string_view line, int replyTimeoutMs, ReplyEnd end = ReplyEnd::FinalCode);
    // Reads one reply without sending anything first.
    int read(int replyTimeoutMs, ReplyEnd end);
    std::string_view reply() const;

    Trace trace_;
    SerialLink link_;
    DeviceIdentity identity_;
    BootResetTiming bootTiming_;
    // Large enough for the longest answers (call lists, help texts) with room to spare.
    std::array<char, 4096> reply_{};
};

} // namespace q30

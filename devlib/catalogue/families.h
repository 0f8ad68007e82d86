// The command families behind the catalogue's entry points. Each family
// formats the lines of its codes (nullopt: the record names no line) and
// parses their replies into the record and the caller's buffer. Parsers get
// the whole reply and run only after the "OK" check.
#pragma once

#include <cstdint>
#include <string_view>

#include "at_line.h"
#include "q30com32/command_codes.h"
#include "q30com32/drvcmd.h"

namespace q30::catalogue::family {

// Codes 29 and 30 clear or reset with op 2 and read with any other op.
inline bool clears(const DrvCmd& rec) { return rec.op == OP_CLEAR; }

// The charge counters of code 30, selected by `index`.
enum ChargeCounter : int32_t {
    kLastCallCharge = 0,
    kCurrentCallCharge = 1,
    kPortSumCharge = 2,
    kTotalCharge = 3,
};

// `on` = 1 when the answer's first character is "1"; shared by every switch.
void read_switch(std::string_view reply, DrvCmd& rec);

// Switches: 5, 9, 10, 14, 20, 22, 25, 26, 28, 44.
OptionalLine format_switch(uint32_t code, const DrvCmd& rec);
void parse_switch(uint32_t code, std::string_view reply, DrvCmd& rec);

// One-digit values: 11, 12, 13, 39.
OptionalLine format_digit(uint32_t code, const DrvCmd& rec);
void parse_digit(uint32_t code, std::string_view reply, DrvCmd& rec);

// Text values: 4, 15, 21, 40..43, 45, 64, 66.
OptionalLine format_text(uint32_t code, const DrvCmd& rec);
void parse_text(uint32_t code, std::string_view reply, DrvCmd& rec);

// Least cost routing entries: 23, 24, 27.
void prepare_lcr_entry(uint32_t code, DrvCmd& rec);
OptionalLine format_lcr_entry(uint32_t code, const DrvCmd& rec);
void parse_lcr_entry(uint32_t code, std::string_view reply, DrvCmd& rec);

// Call forwarding: 17, 18, 19.
OptionalLine format_forwarding(uint32_t code, const DrvCmd& rec);
void parse_forwarding(uint32_t code, std::string_view reply, DrvCmd& rec);

// Data port parameters and registers: 47, 48, 49.
OptionalLine format_data_port(uint32_t code, const DrvCmd& rec);
void parse_data_port(uint32_t code, std::string_view reply, DrvCmd& rec);

// Line information and port status: 50..54, 65.
OptionalLine format_line_info(uint32_t code, const DrvCmd& rec);
void parse_line_info(uint32_t code, std::string_view reply, DrvCmd& rec);

// Morning call switch and time (7), device clock (8).
OptionalLine format_clock(uint32_t code, const DrvCmd& rec);
void parse_clock(uint32_t code, std::string_view reply, DrvCmd& rec);

// Call lists (29) and the dial-back of a listed number (46, 16).
OptionalLine format_call_log(uint32_t code, const DrvCmd& rec);
OptionalLine format_dial_back(uint32_t code, const DrvCmd& rec);
void parse_call_log(uint32_t code, std::string_view reply, DrvCmd& rec);

// Charge counters: 30.
OptionalLine format_charges(uint32_t code, const DrvCmd& rec);
void parse_charges(uint32_t code, std::string_view reply, DrvCmd& rec);

} // namespace q30::catalogue::family

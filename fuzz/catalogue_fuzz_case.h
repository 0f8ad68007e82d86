// Shared by the catalogue's fuzz targets: decodes one fuzz input into a
// command record, a caller buffer and a reply, runs the catalogue as the
// driver does, and traps when an invariant breaks.
//
// Input layout (missing bytes read as 0):
//   0  code selector (an index into the target's codes)
//   1  op (signed)
//   2  port: 0..127 as is, above that one of the extreme values
//   3  index (signed)
//   4  on (bit 0) and value (signed)
//   5  the byte every text field of the record is filled with, no NUL
//   6  protocol number at offset 84 (code 47 only, signed)
//   7  caller buffer size, low byte
//   8  caller buffer size, high byte (the size is taken modulo 1100)
//   9  buffer mode: bit 7 a negative bufferSize, bit 6 a null address
//   10.. the reply, up to its first NUL
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "q30com32/command_codes.h"
#include "q30com32/drvcmd.h"

namespace q30::fuzz {

// A text field of the record that a parse rule may write: it must then be
// terminated within its size.
struct TextField {
    std::size_t offset;
    std::size_t size;
};

inline constexpr TextField kStr = {offsetof(DrvCmd, str), sizeof(DrvCmd::str)};
inline constexpr TextField kStr2 = {offsetof(DrvCmd, str2), sizeof(DrvCmd::str2)};
inline constexpr TextField kStr3 = {offsetof(DrvCmd, str3), sizeof(DrvCmd::str3)};
inline constexpr TextField kDataText = {record::kDataTextOffset, record::kDataTextSize};

inline constexpr std::size_t kHeaderSize = 10;

int run_parse_case(std::initializer_list<uint32_t> codes, std::initializer_list<TextField> writtenTexts,
                   const uint8_t* data, std::size_t size);

} // namespace q30::fuzz

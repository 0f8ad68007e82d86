// Fuzzes the formatter with whole records: any code, any field values,
// text fields with or without their NUL.
//
// Input layout: byte 0 the code (0..255, beyond the table too), byte 1 the
// buffer mode (bit 0: a buffer of `bufferSize` bytes, else a null address),
// then the record's bytes (missing bytes are 0).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "catalogue.h"

namespace {

// Generous: the longest line carries a 31-character text and a few int32s.
constexpr std::size_t kLongestSaneLine = 128;
constexpr int32_t kLargestBuffer = 1100;

void check(bool holds)
{
    if (!holds)
        std::abort();
}

bool is_control(unsigned char c) { return c < 0x20 || c == 0x7F; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace q30;
    if (size < 2)
        return 0;
    const uint32_t code = data[0];
    const bool withBuffer = (data[1] & 1) != 0;

    DrvCmd rec{};
    std::memcpy(&rec, data + 2, std::min(size - 2, sizeof rec));
    std::unique_ptr<char[]> buffer;
    if (withBuffer && rec.bufferSize > 0) {
        rec.bufferSize %= kLargestBuffer;
        buffer = std::make_unique<char[]>(static_cast<std::size_t>(rec.bufferSize));
    }
    rec.buffer = reinterpret_cast<uintptr_t>(buffer.get());

    catalogue::prepare_record(code, rec);
    const catalogue::FormattedLine formatted = catalogue::format_command(code, rec);
    if (formatted.status != catalogue::FormatStatus::Line) {
        check(formatted.line.empty());
        return 0;
    }
    const std::string& line = formatted.line;
    check(line.size() >= 2 && line.size() <= kLongestSaneLine);
    check(line.compare(0, 2, "AT") == 0);
    check(line.back() == '\r');
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        check(!is_control(static_cast<unsigned char>(line[i])));
    return 0;
}

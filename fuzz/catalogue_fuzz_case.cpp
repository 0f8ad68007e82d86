#include "catalogue_fuzz_case.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "catalogue.h"

namespace q30::fuzz {

namespace {

constexpr uint8_t kBufferFill = '#';
constexpr std::size_t kLargestBuffer = 1100;
constexpr uint8_t kNegativeSizeBit = 0x80;
constexpr uint8_t kNullAddressBit = 0x40;

void check(bool holds)
{
    if (!holds)
        std::abort();  // libFuzzer reports the input
}

int32_t port_from(uint8_t b)
{
    static constexpr int32_t kExtremes[] = {-1, std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max(), 1000, 99999, -11};
    return b < 0x80 ? b : kExtremes[b % std::size(kExtremes)];
}

int32_t signed_byte(uint8_t b) { return static_cast<int8_t>(b); }

// Either untouched, or terminated within its size.
bool unchanged_or_terminated(const unsigned char* now, const unsigned char* before, std::size_t size)
{
    if (size == 0)
        return true;
    return std::memcmp(now, before, size) == 0 || std::memchr(now, '\0', size) != nullptr;
}

} // namespace

int run_parse_case(std::initializer_list<uint32_t> codes, std::initializer_list<TextField> writtenTexts,
                   const uint8_t* data, std::size_t size)
{
    uint8_t header[kHeaderSize] = {};
    std::memcpy(header, data, size < kHeaderSize ? size : kHeaderSize);
    const std::string_view rest = size > kHeaderSize
                                      ? std::string_view(reinterpret_cast<const char*>(data) + kHeaderSize,
                                                         size - kHeaderSize)
                                      : std::string_view{};
    const std::string_view reply = rest.substr(0, rest.find('\0'));

    const uint32_t code = codes.begin()[header[0] % codes.size()];
    DrvCmd rec{};
    std::memset(rec.text, header[5], sizeof rec.text);
    std::memset(rec.str, header[5], sizeof rec.str);
    std::memset(rec.str2, header[5], sizeof rec.str2);
    std::memset(rec.str3, header[5], sizeof rec.str3);
    rec.op = signed_byte(header[1]);
    rec.port = port_from(header[2]);
    rec.index = signed_byte(header[3]);
    rec.on = header[4] & 1;
    rec.value = signed_byte(header[4]);
    if (code == DRV_DATA_PARAM)
        record::set_protocol_number(rec, signed_byte(header[6]));

    // The caller buffer has exactly its stated size, so AddressSanitizer
    // catches any write past it.
    const std::size_t bufferBytes = (header[7] | (std::size_t{header[8]} << 8)) % kLargestBuffer;
    auto buffer = std::make_unique<char[]>(bufferBytes);
    std::memset(buffer.get(), kBufferFill, bufferBytes);
    const int32_t statedSize = (header[9] & kNegativeSizeBit) ? -static_cast<int32_t>(header[9] & 0x3F)
                                                               : static_cast<int32_t>(bufferBytes);
    record::set_caller_buffer(rec, (header[9] & kNullAddressBit) ? nullptr : buffer.get(), statedSize);

    // As the driver does: prepare, format, then apply the reply.
    catalogue::prepare_record(code, rec);
    const catalogue::FormattedLine formatted = catalogue::format_command(code, rec);
    if (formatted.status == catalogue::FormatStatus::Line)
        check(!formatted.line.empty() && formatted.line.back() == '\r');

    const DrvCmd before = rec;
    catalogue::apply_reply(code, reply, rec);

    check(rec.replied == 1);
    check(rec.ok == 0 || rec.ok == 1);
    const std::vector<unsigned char> filled(bufferBytes, kBufferFill);
    check(unchanged_or_terminated(reinterpret_cast<unsigned char*>(buffer.get()), filled.data(), bufferBytes));
    for (const TextField& field : writtenTexts)
        check(unchanged_or_terminated(record::bytes(rec) + field.offset, record::bytes(before) + field.offset,
                                      field.size));
    return 0;
}

} // namespace q30::fuzz

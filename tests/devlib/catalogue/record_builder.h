// Test helpers: records built from a few named fields, and replies laid out
// the way the device sends them.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue.h"

namespace q30::catalogue::testing {

// The fields a test sets; everything else stays zero.
struct Fields {
    int32_t port = 0;
    int32_t index = 0;
    int32_t op = OP_QUERY;
    int32_t on = 0;
    int32_t value = 0;
    int32_t protocol = 0;   // code 47, int32 at offset 84
    int32_t from = 0;
    int32_t to = 0;
    std::string str{};
    std::string str2{};
    std::string str3{};
    std::string dataText{}; // code 48, text at offset 88
};

inline DrvCmd make_record(const Fields& f)
{
    DrvCmd rec{};
    rec.port = f.port;
    rec.index = f.index;
    rec.op = f.op;
    rec.on = f.on;
    rec.value = f.value;
    rec.from = f.from;
    rec.to = f.to;
    record::set_str(rec, f.str);
    record::set_str2(rec, f.str2);
    record::set_str3(rec, f.str3);
    if (f.protocol != 0)
        record::set_protocol_number(rec, f.protocol);
    if (!f.dataText.empty())
        record::set_data_text(rec, f.dataText);
    return rec;
}

// A caller buffer owned by the test, allocated with exactly `size` bytes so
// that AddressSanitizer sees a write past it; filled with "#" beforehand.
struct CallerBuffer {
    explicit CallerBuffer(DrvCmd& rec, int32_t size = 960)
        : size(static_cast<std::size_t>(size)), bytes(new char[this->size])
    {
        std::memset(bytes.get(), '#', this->size);
        record::set_caller_buffer(rec, bytes.get(), size);
    }
    bool terminated() const { return std::memchr(bytes.get(), '\0', size) != nullptr; }
    std::string text() const { return std::string(bytes.get(), strnlen(bytes.get(), size)); }
    std::size_t size;
    std::unique_ptr<char[]> bytes;
};

// CR LF, the answer, CR LF, "OK", CR LF.
inline std::string answer(std::string_view text) { return "\r\n" + std::string(text) + "\r\n\r\nOK\r\n"; }

// A reply the device rejected.
inline std::string rejected(std::string_view text) { return "\r\n" + std::string(text) + "\r\n\r\nERROR\r\n"; }

inline DrvCmd applied(uint32_t code, const Fields& f, std::string_view reply)
{
    DrvCmd rec = make_record(f);
    apply_reply(code, reply, rec);
    return rec;
}

// The record and the caller buffer's text after a reply to a read that
// hands its text to the caller.
struct BufferRead {
    DrvCmd rec;
    std::string text;
    bool written;  // false: the buffer was left as it was
};

inline BufferRead read_into_buffer(uint32_t code, const Fields& f, std::string_view reply, int32_t size = 960)
{
    DrvCmd rec = make_record(f);
    CallerBuffer buffer(rec, size);
    apply_reply(code, reply, rec);
    return {rec, buffer.text(), buffer.terminated()};
}

} // namespace q30::catalogue::testing

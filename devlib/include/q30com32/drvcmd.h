// The command record passed with every command code of D_SendDrvCmd.
//
// It crosses between the program and the library, so its layout is fixed by
// byte offset (little-endian). Several codes reuse bytes of the record for
// other types; those uses are reached through the accessors below, never by
// casting, so every offset is written down exactly once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

extern "C" {

struct DrvCmd {
    int32_t code;       //   0 the library writes the command code here
    int32_t port;       //   4 port number, selector or COM index
    int32_t index;      //   8 entry number; model number out of code 31
    int32_t op;         //  12 0 query, 1 set, 2 clear/action, 3/4 second forms
    char text[52];      //  16 the AT line as sent, without its CR
    int32_t replied;    //  68 1 when a reply was read
    int32_t ok;         //  72 1 when the reply carried "OK"
    int32_t on;         //  76 a switch
    int32_t value;      //  80 a number
    char str[32];       //  84 a text value
    char str2[32];      // 116 second text
    char str3[32];      // 148 third text
    int32_t from;       // 180 start of a time range (hour)
    int32_t to;         // 184 end of a time range (hour)
    int32_t reserved1;  // 188
    uint64_t buffer;    // 192 address of a caller-owned text or data buffer
    int32_t bufferSize; // 200 its capacity in bytes, terminating NUL included
    int32_t reserved2;  // 204
};

} // extern "C"

static_assert(sizeof(DrvCmd) == 208);
static_assert(offsetof(DrvCmd, code) == 0);
static_assert(offsetof(DrvCmd, port) == 4);
static_assert(offsetof(DrvCmd, index) == 8);
static_assert(offsetof(DrvCmd, op) == 12);
static_assert(offsetof(DrvCmd, text) == 16);
static_assert(offsetof(DrvCmd, replied) == 68);
static_assert(offsetof(DrvCmd, ok) == 72);
static_assert(offsetof(DrvCmd, on) == 76);
static_assert(offsetof(DrvCmd, value) == 80);
static_assert(offsetof(DrvCmd, str) == 84);
static_assert(offsetof(DrvCmd, str2) == 116);
static_assert(offsetof(DrvCmd, str3) == 148);
static_assert(offsetof(DrvCmd, from) == 180);
static_assert(offsetof(DrvCmd, to) == 184);
static_assert(offsetof(DrvCmd, reserved1) == 188);
static_assert(offsetof(DrvCmd, buffer) == 192);
static_assert(offsetof(DrvCmd, bufferSize) == 200);
static_assert(offsetof(DrvCmd, reserved2) == 204);

namespace q30::record {

// Byte offsets of the overlapping uses of the record.
inline constexpr std::size_t kBootVersionOffset = 80;   // code 31: boot code version text
inline constexpr std::size_t kBootVersionSize = 36;     //          over offsets 80..115
inline constexpr std::size_t kUsbFlagOffset = 132;      // code 31: USB flag (int32)
inline constexpr std::size_t kMonthOffset = 84;         // code 8: month
inline constexpr std::size_t kDayOffset = 85;           // code 8: day
inline constexpr std::size_t kHourOffset = 86;          // codes 7, 8: hour
inline constexpr std::size_t kMinuteOffset = 87;        // codes 7, 8: minute
inline constexpr std::size_t kSecondOffset = 88;        // code 8: second
inline constexpr std::size_t kProtocolOffset = 84;      // code 47: protocol number (int32)
inline constexpr std::size_t kByteCountOffset = 84;     // code 34: byte count (int32)
inline constexpr std::size_t kDataTextOffset = 88;      // code 48 sub-selector 12: text
inline constexpr std::size_t kDataTextSize = 92;        //          over offsets 88..179: code 48 uses
                                                        //          neither str2 nor str3, and a magic
                                                        //          number block has 40 digits
inline constexpr std::size_t kPortFlagsOffset = 80;     // code 54: five int32 switches
inline constexpr int kPortFlagCount = 5;

static_assert(kBootVersionOffset + kBootVersionSize == offsetof(DrvCmd, str2));
static_assert(kUsbFlagOffset + 4 <= offsetof(DrvCmd, str3));
static_assert(kDataTextOffset + kDataTextSize == offsetof(DrvCmd, from));
static_assert(kPortFlagsOffset + 4 * kPortFlagCount <= offsetof(DrvCmd, str2));

inline unsigned char* bytes(DrvCmd& r) { return reinterpret_cast<unsigned char*>(&r); }
inline const unsigned char* bytes(const DrvCmd& r) { return reinterpret_cast<const unsigned char*>(&r); }

inline int32_t get_i32(const DrvCmd& r, std::size_t offset)
{
    int32_t v;
    std::memcpy(&v, bytes(r) + offset, sizeof v);
    return v;
}
inline void set_i32(DrvCmd& r, std::size_t offset, int32_t v) { std::memcpy(bytes(r) + offset, &v, sizeof v); }
inline uint8_t get_u8(const DrvCmd& r, std::size_t offset) { return bytes(r)[offset]; }
inline void set_u8(DrvCmd& r, std::size_t offset, uint8_t v) { bytes(r)[offset] = v; }

// A text field that may lack its NUL: read at most `size` bytes.
inline std::string_view get_text(const DrvCmd& r, std::size_t offset, std::size_t size)
{
    const char* p = reinterpret_cast<const char*>(bytes(r) + offset);
    return {p, strnlen(p, size)};
}
// Copies as much of `s` as fits and always terminates.
inline void set_text(DrvCmd& r, std::size_t offset, std::size_t size, std::string_view s)
{
    std::size_t n = s.size() < size ? s.size() : size - 1;
    if (n > 0)
        std::memcpy(bytes(r) + offset, s.data(), n);
    bytes(r)[offset + n] = 0;
}

// Named views of the overlapping uses.
inline std::string_view boot_version(const DrvCmd& r) { return get_text(r, kBootVersionOffset, kBootVersionSize); }
inline void set_boot_version(DrvCmd& r, std::string_view s) { set_text(r, kBootVersionOffset, kBootVersionSize, s); }
inline int32_t usb_flag(const DrvCmd& r) { return get_i32(r, kUsbFlagOffset); }
inline void set_usb_flag(DrvCmd& r, int32_t v) { set_i32(r, kUsbFlagOffset, v); }
inline int32_t protocol_number(const DrvCmd& r) { return get_i32(r, kProtocolOffset); }
inline void set_protocol_number(DrvCmd& r, int32_t v) { set_i32(r, kProtocolOffset, v); }
inline int32_t byte_count(const DrvCmd& r) { return get_i32(r, kByteCountOffset); }
inline void set_byte_count(DrvCmd& r, int32_t v) { set_i32(r, kByteCountOffset, v); }
inline std::string_view data_text(const DrvCmd& r) { return get_text(r, kDataTextOffset, kDataTextSize); }
inline void set_data_text(DrvCmd& r, std::string_view s) { set_text(r, kDataTextOffset, kDataTextSize, s); }
inline int32_t port_flag(const DrvCmd& r, int i) { return get_i32(r, kPortFlagsOffset + 4 * static_cast<std::size_t>(i)); }
inline void set_port_flag(DrvCmd& r, int i, int32_t v) { set_i32(r, kPortFlagsOffset + 4 * static_cast<std::size_t>(i), v); }

inline std::string_view str(const DrvCmd& r) { return get_text(r, offsetof(DrvCmd, str), sizeof r.str); }
inline std::string_view str2(const DrvCmd& r) { return get_text(r, offsetof(DrvCmd, str2), sizeof r.str2); }
inline std::string_view str3(const DrvCmd& r) { return get_text(r, offsetof(DrvCmd, str3), sizeof r.str3); }
inline void set_str(DrvCmd& r, std::string_view s) { set_text(r, offsetof(DrvCmd, str), sizeof r.str, s); }
inline void set_str2(DrvCmd& r, std::string_view s) { set_text(r, offsetof(DrvCmd, str2), sizeof r.str2, s); }
inline void set_str3(DrvCmd& r, std::string_view s) { set_text(r, offsetof(DrvCmd, str3), sizeof r.str3, s); }
inline std::string_view text(const DrvCmd& r) { return get_text(r, offsetof(DrvCmd, text), sizeof r.text); }
inline void set_text_field(DrvCmd& r, std::string_view s) { set_text(r, offsetof(DrvCmd, text), sizeof r.text, s); }

// Time fields of codes 7 (hour, minute) and 8 (all six).
struct ClockFields {
    int day, month, year, hour, minute, second;
};
inline ClockFields clock_fields(const DrvCmd& r)
{
    return {get_u8(r, kDayOffset), get_u8(r, kMonthOffset), r.value,
            get_u8(r, kHourOffset), get_u8(r, kMinuteOffset), get_u8(r, kSecondOffset)};
}
inline void set_clock_fields(DrvCmd& r, const ClockFields& c)
{
    set_u8(r, kDayOffset, static_cast<uint8_t>(c.day));
    set_u8(r, kMonthOffset, static_cast<uint8_t>(c.month));
    r.value = c.year;
    set_u8(r, kHourOffset, static_cast<uint8_t>(c.hour));
    set_u8(r, kMinuteOffset, static_cast<uint8_t>(c.minute));
    set_u8(r, kSecondOffset, static_cast<uint8_t>(c.second));
}

// The caller-owned buffer of codes 29, 30, 34, 52 and 53.
inline char* caller_buffer(const DrvCmd& r) { return reinterpret_cast<char*>(static_cast<uintptr_t>(r.buffer)); }
inline void set_caller_buffer(DrvCmd& r, void* p, int32_t size)
{
    r.buffer = reinterpret_cast<uintptr_t>(p);
    r.bufferSize = size;
}

} // namespace q30::record

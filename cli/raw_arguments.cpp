#include "raw_arguments.h"

#include <bitset>
#include <cstddef>
#include <map>
#include <optional>
#include <string_view>

#include "bounded_file.h"
#include "catalogue.h"
#include "clock_argument.h"
#include "decimal_argument.h"

namespace quillon::cli {

namespace {

using q30::record::kByteCountOffset;
using q30::record::kDataTextOffset;
using q30::record::kDataTextSize;
using q30::record::kDayOffset;
using q30::record::kMonthOffset;
using q30::record::kProtocolOffset;
using q30::record::kSecondOffset;

constexpr std::string_view kNoSearch = "--no-search";
constexpr std::string_view kOptionMark = "--";

enum class ValueKind { Number, Text, Time, BufferSize, File };

struct RawOption {
    std::string_view name;
    ValueKind kind;
    std::size_t offset; // where in the record the value goes
    std::size_t size;   // bytes it takes there; a text's field size, NUL included
};

constexpr std::size_t kInt = sizeof(int32_t);
constexpr std::size_t kBufferFieldOffset = offsetof(DrvCmd, buffer);
constexpr std::size_t kBufferFieldSize = offsetof(DrvCmd, bufferSize) + kInt - kBufferFieldOffset;
constexpr std::size_t kClockBytesSize = kSecondOffset + 1 - kMonthOffset;
static_assert(kDayOffset > kMonthOffset && kDayOffset < kSecondOffset);

constexpr RawOption kOptions[] = {
    {"--port", ValueKind::Number, offsetof(DrvCmd, port), kInt},
    {"--index", ValueKind::Number, offsetof(DrvCmd, index), kInt},
    {"--op", ValueKind::Number, offsetof(DrvCmd, op), kInt},
    {"--on", ValueKind::Number, offsetof(DrvCmd, on), kInt},
    {"--value", ValueKind::Number, offsetof(DrvCmd, value), kInt},
    {"--from", ValueKind::Number, offsetof(DrvCmd, from), kInt},
    {"--to", ValueKind::Number, offsetof(DrvCmd, to), kInt},
    {"--protocol", ValueKind::Number, kProtocolOffset, kInt},
    {"--str", ValueKind::Text, offsetof(DrvCmd, str), sizeof DrvCmd::str},
    {"--str2", ValueKind::Text, offsetof(DrvCmd, str2), sizeof DrvCmd::str2},
    {"--str3", ValueKind::Text, offsetof(DrvCmd, str3), sizeof DrvCmd::str3},
    {"--data-text", ValueKind::Text, kDataTextOffset, kDataTextSize},
    {"--time", ValueKind::Time, kMonthOffset, kClockBytesSize},
    {"--buffer-size", ValueKind::BufferSize, kBufferFieldOffset, kBufferFieldSize},
    {"--file", ValueKind::File, kBufferFieldOffset, kBufferFieldSize},
};

const RawOption* find_option(std::string_view name)
{
    for (const RawOption& o : kOptions)
        if (o.name == name)
            return &o;
    return nullptr;
}

// The record bytes an option writes, to catch two options that would
// overwrite each other's value in the shared parts of the record.
using ByteMask = std::bitset<sizeof(DrvCmd)>;

ByteMask mask_of(std::size_t offset, std::size_t size)
{
    ByteMask m;
    for (std::size_t i = 0; i < size; ++i)
        m.set(offset + i);
    return m;
}

ByteMask bytes_written(const RawOption& o, uint32_t code)
{
    ByteMask m = mask_of(o.offset, o.size);
    if (o.kind == ValueKind::File)
        m |= mask_of(kByteCountOffset, kInt);
    // The device clock keeps its year in `value`; a morning call has no year.
    if (o.kind == ValueKind::Time && code != q30::DRV_WAKEUP)
        m |= mask_of(offsetof(DrvCmd, value), kInt);
    return m;
}

std::string quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

std::string read_code(const std::string& arg, uint32_t& code)
{
    if (auto number = parse_decimal_int32(arg)) {
        if (*number < 0 || *number > static_cast<int32_t>(q30::kHighestCommandCode))
            return "command code " + arg + " is not one of 0.." + std::to_string(q30::kHighestCommandCode);
        code = static_cast<uint32_t>(*number);
        return {};
    }
    const int byName = q30::catalogue::code_by_name(arg);
    if (byName < 0)
        return "unknown command " + quoted(arg);
    code = static_cast<uint32_t>(byName);
    return {};
}

std::string read_file_value(const std::string& path, RawRequest& request)
{
    BoundedRead file = read_file_at_most(path, kMaxWriteBytes);
    switch (file.status) {
    case BoundedRead::Status::Unreadable:
        return "cannot read " + quoted(path) + ": " + file.problem;
    case BoundedRead::Status::TooLarge:
        return quoted(path) + " holds more than " + std::to_string(kMaxWriteBytes) +
               " bytes, the most DRV_WRITE_RAW sends (one firmware image); nothing was sent";
    case BoundedRead::Status::Read: break;
    }
    if (file.bytes.empty())
        return quoted(path) + " is empty: there is nothing to send";
    request.writeData = std::move(file.bytes);
    return {};
}

// Puts one option's value into the request.
std::string apply(const RawOption& o, const std::string& value, RawRequest& request)
{
    const std::string name(o.name);
    switch (o.kind) {
    case ValueKind::Number: {
        auto n = parse_decimal_int32(value);
        if (!n)
            return name + " wants a decimal number in 32-bit range, not " + quoted(value);
        q30::record::set_i32(request.record, o.offset, *n);
        return {};
    }
    case ValueKind::Text:
        if (value.size() > o.size - 1)
            return name + " holds at most " + std::to_string(o.size - 1) + " characters; " + quoted(value) +
                   " has " + std::to_string(value.size());
        q30::record::set_text(request.record, o.offset, o.size, value);
        return {};
    case ValueKind::Time: {
        auto clock = parse_clock_argument(value);
        if (!clock)
            return name + " wants DD/MM/YYYY-hh:mm:ss (seconds optional) with each field in its calendar range, not " +
                   quoted(value);
        const int32_t keptValue = request.record.value;
        q30::record::set_clock_fields(request.record, *clock);
        if (request.code == q30::DRV_WAKEUP)
            request.record.value = keptValue;
        return {};
    }
    case ValueKind::BufferSize: {
        auto n = parse_decimal_int32(value);
        if (!n || *n < 1 || *n > kMaxReadBufferBytes)
            return name + " wants a number from 1 to " + std::to_string(kMaxReadBufferBytes) + ", not " +
                   quoted(value);
        request.readBuffer.assign(static_cast<std::size_t>(*n), 0);
        return {};
    }
    case ValueKind::File: return read_file_value(value, request);
    }
    return {};
}

} // namespace

std::string parse_raw_arguments(const std::vector<std::string>& args, RawRequest& request)
{
    if (args.empty())
        return "no command given";
    if (std::string problem = read_code(args[0], request.code); !problem.empty())
        return problem;
    request.searchFirst = request.code != q30::DRV_FIND_DEVICE && request.code != q30::DRV_BOOT_OPEN &&
                          request.code != q30::DRV_REOPEN && request.code != q30::DRV_CLOSE;

    std::map<std::string_view, ByteMask> given;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kNoSearch) {
            request.searchFirst = false;
            continue;
        }
        const RawOption* option = find_option(arg);
        if (option == nullptr)
            return (arg.starts_with('-') ? "unknown option " : "unexpected argument ") + quoted(arg) +
                   " (see 'quillon-cli raw --help')";
        // An option in the place of a value means the value was left out.
        if (i + 1 >= args.size() || args[i + 1].starts_with(kOptionMark))
            return arg + " needs a value";
        const ByteMask mine = bytes_written(*option, request.code);
        for (const auto& [other, theirs] : given)
            if (other != option->name && (theirs & mine).any())
                return arg + " and " + std::string(other) + " fill the same bytes of the record; give only one";
        given[option->name] = mine;
        if (std::string problem = apply(*option, args[++i], request); !problem.empty())
            return problem;
    }
    return {};
}

void attach_buffers(RawRequest& request)
{
    if (!request.writeData.empty()) {
        const auto size = static_cast<int32_t>(request.writeData.size());
        q30::record::set_caller_buffer(request.record, request.writeData.data(), size);
        q30::record::set_byte_count(request.record, size);
    } else if (!request.readBuffer.empty()) {
        q30::record::set_caller_buffer(request.record, request.readBuffer.data(),
                                       static_cast<int32_t>(request.readBuffer.size()));
    }
}

} // namespace quillon::cli

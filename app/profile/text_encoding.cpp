#include "profile/text_encoding.h"

namespace quillon::profile {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes the UTF-8 sequence at text[i]; returns its length, or 0 when no
// valid sequence starts there.
std::size_t decode_utf8(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char c = byte(0);
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, cp = c & 0x1F, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, cp = c & 0x0F, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

void append_utf16(std::string& out, char16_t unit, Utf16Order order)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (order == Utf16Order::LittleEndian) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

} // namespace

bool is_valid_utf8(std::string_view text)
{
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = decode_utf8(text, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string windows1252_to_utf8(std::string_view text)
{
    // 0x80..0x9F differ from Latin-1.
    static const char16_t k80to9F[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text)
        append_utf8(out, c >= 0x80 && c < 0xA0 ? k80to9F[c - 0x80] : c);
    return out;
}

std::string line_to_utf8(std::string_view line)
{
    return is_valid_utf8(line) ? std::string(line) : windows1252_to_utf8(line);
}

std::string utf8_prefix(std::string_view text, std::size_t maxChars)
{
    std::size_t i = 0;
    std::size_t chars = 0;
    while (i < text.size() && chars < maxChars) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
        ++chars;
    }
    return std::string(text.substr(0, i));
}

std::string utf16_to_utf8(std::string_view bytes, Utf16Order order)
{
    const auto unit_at = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(order == Utf16Order::LittleEndian ? (second << 8) | first
                                                                        : (first << 8) | second);
    };
    const auto is_high = [](char16_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    const auto is_low = [](char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; };

    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unit_at(i);
        if (is_high(unit) && i + 3 < bytes.size() && is_low(unit_at(i + 2))) {
            append_utf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (unit_at(i + 2) - 0xDC00));
            i += 2;
        } else {
            append_utf8(out, is_high(unit) || is_low(unit) ? kReplacement : unit);
        }
    }
    if (i < bytes.size())
        append_utf8(out, kReplacement);
    return out;
}

std::string utf8_to_utf16(std::string_view text, Utf16Order order)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        std::size_t n = decode_utf8(text, i, cp);
        if (n == 0) {
            cp = kReplacement;
            n = 1;
        }
        i += n;
        if (cp >= 0x10000) {
            append_utf16(out, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)), order);
            append_utf16(out, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)), order);
        } else {
            append_utf16(out, static_cast<char16_t>(cp), order);
        }
    }
    return out;
}

} // namespace quillon::profile

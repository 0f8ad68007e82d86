#include "shell/device_text.h"

#include <array>

#include "profile/ini_file.h"

namespace quillon {

namespace {

// The characters of Windows-1252's 0x80..0x9F; 0 where the code is unused.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The next code point of UTF-8 text, or nothing when the bytes are broken.
std::optional<char32_t> next_code_point(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    const bool overlong = extra == 1 && lead < 0xC2;
    if (extra < 0 || overlong || (extra > 0 && i + static_cast<std::size_t>(extra) >= s.size()))
        return std::nullopt;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = byte(i + static_cast<std::size_t>(k));
        if ((c & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

std::optional<char> windows1252_byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t k = 0; k < kHighControls.size(); ++k)
        if (kHighControls[k] != 0 && kHighControls[k] == cp)
            return static_cast<char>(0x80 + k);
    return std::nullopt;
}

} // namespace

std::optional<std::string> to_device_text(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> cp = next_code_point(utf8, i);
        if (!cp)
            return std::nullopt;
        const std::optional<char> b = windows1252_byte(*cp);
        if (!b)
            return std::nullopt;
        out += *b;
    }
    return out;
}

std::string from_device_text(std::string_view deviceText) { return profile::windows1252_to_utf8(deviceText); }

std::size_t character_count(std::string_view utf8)
{
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

} // namespace quillon

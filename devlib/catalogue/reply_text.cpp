#include "reply_text.h"

namespace q30::catalogue {

namespace {

constexpr std::size_t kContentStart = 2;  // after the leading CR LF
constexpr std::string_view kOk = "OK";

// Empty views handed out point at a real (empty) string, never at null:
// they end up as memcpy sources, which must not be null even for 0 bytes.
constexpr std::string_view kEmpty = "";

void bounded_copy(const DrvCmd& rec, std::string_view text, bool doubleAmpersands)
{
    if (!has_caller_buffer(rec))
        return;
    char* out = record::caller_buffer(rec);
    const std::size_t room = static_cast<std::size_t>(rec.bufferSize) - 1;  // keep the NUL's byte

    std::size_t used = 0;
    for (char c : text) {
        const std::size_t width = (doubleAmpersands && c == '&') ? 2 : 1;
        if (used + width > room)
            break;
        for (std::size_t i = 0; i < width; ++i)
            out[used++] = c;
    }
    out[used] = '\0';
}

} // namespace

std::string_view reply_content(std::string_view reply)
{
    return reply.size() > kContentStart ? reply.substr(kContentStart) : kEmpty;
}

std::string_view first_line(std::string_view reply)
{
    const std::string_view content = reply_content(reply);
    return content.substr(0, content.find_first_of("\r\n"));
}

char first_char(std::string_view reply)
{
    const std::string_view line = first_line(reply);
    return line.empty() ? '\0' : line.front();
}

bool reply_has_ok(std::string_view reply) { return reply.find(kOk) != std::string_view::npos; }

std::optional<std::string_view> text_after(std::string_view reply, std::string_view heading,
                                           std::size_t skip)
{
    const std::size_t at = reply.find(heading);
    if (at == std::string_view::npos)
        return std::nullopt;
    if (skip >= reply.size() - at)
        return kEmpty;
    return reply.substr(at + skip);
}

std::string_view cut_at(std::string_view text, char stop) { return text.substr(0, text.find(stop)); }

bool has_caller_buffer(const DrvCmd& rec) { return rec.buffer != 0 && rec.bufferSize >= 1; }

void copy_to_caller_buffer(const DrvCmd& rec, std::string_view text)
{
    bounded_copy(rec, text, false);
}

void copy_to_caller_buffer_doubling_ampersands(const DrvCmd& rec, std::string_view text)
{
    bounded_copy(rec, text, true);
}

} // namespace q30::catalogue

// The pieces of a reply the parse rules look at, and the bounded copies of
// reply text into the caller's buffer.
//
// A reply reads CR LF, the answer line(s), CR LF, "OK", CR LF, so the answer
// starts at the reply's third byte.
#pragma once

#include <optional>
#include <string_view>

#include "q30com32/drvcmd.h"

namespace q30::catalogue {

// The reply from its third byte on; empty for a reply shorter than that.
std::string_view reply_content(std::string_view reply);

// The answer's first line: the content up to its first CR or LF.
std::string_view first_line(std::string_view reply);

// The first character of the first line, or NUL when the line is empty.
char first_char(std::string_view reply);

// True when "OK" occurs anywhere in the reply.
bool reply_has_ok(std::string_view reply);

// The text that starts `skip` characters after the first occurrence of
// `heading` in the reply and runs to the reply's end; nullopt when the heading
// is absent, empty when the start lies at or past the end.
std::optional<std::string_view> text_after(std::string_view reply, std::string_view heading,
                                           std::size_t skip);

// `text` up to (not including) the first `stop` character.
std::string_view cut_at(std::string_view text, char stop);

// Copies into the caller's buffer of the record (address `buffer`, capacity
// `bufferSize` with the NUL). A text that does not fit is cut; the buffer is
// always terminated. Nothing is written when the buffer is missing.
void copy_to_caller_buffer(const DrvCmd& rec, std::string_view text);

// The same, writing every "&" twice; a doubled "&" that does not fit whole is
// left out rather than split.
void copy_to_caller_buffer_doubling_ampersands(const DrvCmd& rec, std::string_view text);

// True when the record carries a caller buffer with room for at least the NUL.
bool has_caller_buffer(const DrvCmd& rec);

} // namespace q30::catalogue

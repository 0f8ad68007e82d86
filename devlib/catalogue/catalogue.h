// The command catalogue: for every command code, its kind and reply time-out,
// how a record becomes an AT command line, and how a reply is parsed back into
// the record and the caller's buffer. Pure functions, no I/O, so they are unit
// tested and fuzzed directly.
#pragma once

#include <string>
#include <string_view>

#include "q30com32/command_codes.h"
#include "q30com32/drvcmd.h"
#include "reply_framer.h"

namespace q30::catalogue {

enum class Kind {
    None,     // does nothing (2, 36, 58..63)
    Generic,  // format, send, read one reply, parse
    Special,  // a sequence of its own in the driver
};

// The group of codes that share a formatter and a parse rule.
enum class Family {
    None,        // no line of the catalogue (special and do-nothing codes)
    Switch,
    Digit,
    Text,
    LcrEntry,
    Forwarding,
    DataPort,
    LineInfo,
    Clock,
    CallLog,
    Charges,
    DialBack,    // formatted here, answered in the driver
};

// Whether the code hands reply text to a buffer whose address the caller put in the record.
enum class CallerBuffer {
    None,
    WhenReading,  // for every op but a clear or reset (op 2)
    Always,
};

// One row per command code.
struct CommandInfo {
    const char* name;          // e.g. "DRV_MSN"
    Kind kind;
    Family family;
    int replyTimeoutMs;        // generic codes: the reply time-out; special: of their first read; 0 where not used
    bool needsRecord;          // a null record is refused
    bool needsOk;              // the reply is parsed only when it holds "OK"
    CallerBuffer callerBuffer;
    ReplyEnd replyEnd;         // how the reply is recognised as complete
};

// Code 0..66; any other code gives a Kind::None entry named "".
const CommandInfo& command_info(uint32_t code);

// The code with that name ("DRV_MSN" or "MSN"), or -1.
int code_by_name(std::string_view name);

enum class FormatStatus {
    Line,           // `line` holds the command, CR included
    Refused,        // the record cannot be sent safely (result -3)
    NothingToSend,  // the code sends nothing for this record (result 0)
};

struct FormattedLine {
    FormatStatus status = FormatStatus::NothingToSend;
    std::string line;
};

// Empties the record fields that a code clears before it is sent, whatever
// the reply (codes 23, 24, 27: the texts the entry does not use). The driver
// calls it before format_command; other codes are left alone.
void prepare_record(uint32_t code, DrvCmd& rec);

// Formats the AT command line of a generic code (and of code 46/16). Refuses
// a line that would carry a control character, and a read whose caller
// buffer is missing.
FormattedLine format_command(uint32_t code, const DrvCmd& rec);

// Applies a reply that arrived (text up to its first NUL): sets `replied` = 1,
// `ok`, and runs the code's parse rule into the record and caller buffer.
void apply_reply(uint32_t code, std::string_view reply, DrvCmd& rec);

} // namespace q30::catalogue

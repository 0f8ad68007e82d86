// One AT command taken apart: the text after "AT" of a command line such as
// "AT!P0#11*2=4711001" reads as prefix "!P", number "0", port 11, index 2,
// set form with value "4711001".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace q30sim {

enum class Form {
    Action, // no "?" and no "=": AT&W, AT!P23#11*0
    Query,  // ends in "?"
    Set,    // "=" and a value, possibly empty
};

struct AtCommand {
    std::string prefix;        // "!P", "S", "\\D", "E", "&W", "!DOWNLOAD"; empty for a bare "AT"
    std::string number;        // the digits right after the prefix, possibly empty
    std::optional<int> port;   // after "#"
    std::optional<int> index;  // after "*"
    Form form = Form::Action;
    std::string value;         // after "=", as received
};

// Takes apart the text that follows "AT". Letters of the command name may come in
// either case. Nothing when the text does not have the shape of a command.
std::optional<AtCommand> parse_command(std::string_view body);

// True when `line` begins with "AT" in either letter case.
bool has_attention_prefix(std::string_view line);

} // namespace q30sim

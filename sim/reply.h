// What the device answers to one command, and how it goes on the line.
#pragma once

#include <string>
#include <vector>

namespace q30sim {

struct Reply {
    enum class Result { Ok, Error, Silent };
    Result result = Result::Ok;
    std::vector<std::string> lines; // answer lines before the result word

    static Reply ok(std::vector<std::string> lines = {});
    static Reply error();
    static Reply silent();
};

// Verbose (ATV1): CR LF, the lines joined by CR LF, CR LF, then CR LF "OK" CR LF;
// a refusal is CR LF "ERROR" CR LF. Numeric (ATV0): each line followed by CR LF,
// then "0" CR for OK or "4" CR for ERROR. A silent reply sends nothing.
std::string format_reply(const Reply& reply, bool verbose);

// An unsolicited line (a call result, a boot loader message) in the current result format.
std::string format_unsolicited(const std::string& line, bool verbose);

} // namespace q30sim

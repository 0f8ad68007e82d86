#include "reply.h"

namespace q30sim {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kVerboseOk = "\r\nOK\r\n";
constexpr const char* kVerboseError = "\r\nERROR\r\n";
constexpr const char* kNumericOk = "0\r";
constexpr const char* kNumericError = "4\r";

} // namespace

Reply Reply::ok(std::vector<std::string> lines)
{
    return Reply{Result::Ok, std::move(lines)};
}

Reply Reply::error()
{
    return Reply{Result::Error, {}};
}

Reply Reply::silent()
{
    return Reply{Result::Silent, {}};
}

std::string format_reply(const Reply& reply, bool verbose)
{
    if (reply.result == Reply::Result::Silent)
        return {};
    if (reply.result == Reply::Result::Error)
        return verbose ? kVerboseError : kNumericError;
    std::string out;
    if (verbose) {
        if (!reply.lines.empty()) {
            out += kCrLf;
            for (std::size_t i = 0; i < reply.lines.size(); ++i) {
                if (i > 0)
                    out += kCrLf;
                out += reply.lines[i];
            }
            out += kCrLf;
        }
        out += kVerboseOk;
    } else {
        for (const auto& line : reply.lines)
            out += line + kCrLf;
        out += kNumericOk;
    }
    return out;
}

std::string format_unsolicited(const std::string& line, bool verbose)
{
    return verbose ? kCrLf + line + kCrLf : line + kCrLf;
}

} // namespace q30sim

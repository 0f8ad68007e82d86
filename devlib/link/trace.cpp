#include "trace.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

namespace q30 {

std::string escape_control(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 8);
    for (unsigned char c : bytes) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\\': out += "\\\\"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                static const char hex[] = "0123456789ABCDEF";
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

void Trace::refresh_from_environment()
{
    const char* wanted = std::getenv(kTraceVariable);
    std::string path = wanted ? wanted : "";
    if (path == path_)
        return;
    stop();
    path_ = path;
    if (path.empty())
        return;
    if (path == "-") {
        file_ = stderr;
        ownsFile_ = false;
    } else {
        file_ = std::fopen(path.c_str(), "a");
        ownsFile_ = file_ != nullptr;
    }
}

void Trace::stop()
{
    if (file_ && ownsFile_)
        std::fclose(file_);
    file_ = nullptr;
    ownsFile_ = false;
}

void Trace::write(int comIndex, const char* direction, const std::string& text)
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::fprintf(file_, "%s.%03lld COM%d %s %s\n", stamp, static_cast<long long>(millis), comIndex + 1,
                 direction, text.c_str());
    std::fflush(file_);
}

} // namespace q30

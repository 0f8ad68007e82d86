// A trace of the dialogue with the device, for people debugging a cable or a
// device. Enabled when the environment variable Q30COM32_TRACE names a file
// ("-" for standard error); every line sent and every reply read is appended
// with a timestamp, the COM port and control characters escaped, each reply
// with how it ended, and whatever was dropped as stale before a line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace q30 {

inline constexpr const char* kTraceVariable = "Q30COM32_TRACE";

// "AT\r" -> "AT\r" spelled with a backslash; bytes outside printable ASCII as \xNN.
std::string escape_control(std::string_view bytes);

class Trace {
public:
    Trace() = default;
    ~Trace() { stop(); }
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // Reads the variable again and opens or closes the trace file to match.
    void refresh_from_environment();
    bool enabled() const { return file_ != nullptr; }

    void sent(int comIndex, std::string_view bytes) { if (file_) write(comIndex, "->", escape_control(bytes)); }
    void received(int comIndex, std::string_view bytes) { if (file_) write(comIndex, "<-", escape_control(bytes)); }
    // A reply with how it ended ("final code", "quiet gap", ...).
    void received(int comIndex, std::string_view bytes, std::string_view ending)
    {
        if (file_)
            write(comIndex, "<-", escape_control(bytes) + "  [" + std::string(ending) + "]");
    }
    void note(int comIndex, std::string_view what) { if (file_) write(comIndex, "--", std::string(what)); }

private:
    void write(int comIndex, const char* direction, const std::string& text);
    void stop();

    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
    std::string path_;
};

} // namespace q30

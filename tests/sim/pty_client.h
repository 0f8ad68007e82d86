// Opens the server's slave side the way the device library opens a serial port.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace q30sim::testing {

class PtyClient {
public:
    // O_RDWR|O_NOCTTY|O_NONBLOCK, flock, TIOCEXCL, raw 8N1.
    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool is_open() const { return fd_ >= 0; }
    void write(std::string_view bytes);
    // Reads until the line stays quiet for `quiet`, waiting at most `first` for the first byte.
    std::string read_reply(std::chrono::milliseconds first, std::chrono::milliseconds quiet);
    // Reads until `text` has arrived or `limit` has passed.
    std::string read_until(std::string_view text, std::chrono::milliseconds limit);
    // As the library closes: flush, leave exclusive mode, close.
    void close();

private:
    int fd_ = -1;
};

} // namespace q30sim::testing

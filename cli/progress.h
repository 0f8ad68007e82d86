// A counter of device commands on standard error while a command works, so
// a person at a terminal sees it moving; nothing at all when standard error
// is no terminal (a script, a pipe, a log file).
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace quillon::cli {

class Progress {
public:
    // `what` names the work ("reading the device"). `out` null: standard
    // error when it is a terminal, else nowhere.
    explicit Progress(std::string what, std::FILE* out = nullptr);
    ~Progress() { finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void set_what(std::string what);
    // One more command went to the device.
    void step();
    // Clears the line, so later output starts on a clean one.
    void finish();

    int count() const { return count_; }

private:
    void draw();

    std::string what_;
    std::FILE* out_;
    int count_ = 0;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

} // namespace quillon::cli

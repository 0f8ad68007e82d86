// The progress window of a profile load or save: a line of text and a bar.
// A load's bar is time-based: position = milliseconds since the start.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

class ProgressWindow : public platform::Window {
public:
    static constexpr int kDialog = 353;

    ProgressWindow(ShellContext& shell, platform::Window& owner);

    void set_line(const std::string& text);
    void set_position(int position, int range);
    // Starts the clock of a time-based bar of `rangeMs`.
    void start_clock(int rangeMs);
    // Moves a time-based bar to the time gone since start_clock.
    void tick();

private:
    ShellContext& shell_;
    uint64_t startMs_ = 0;
    int rangeMs_ = 0;
};

} // namespace quillon

// The status panel of a long device operation: one line of text over a bar,
// inside a dialog. Its waits keep the dialog painted and the bar moving, on
// the platform clock.
#pragma once

#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

class StatusPanel {
public:
    // The panel is the bar control `controlId` of `owner`.
    StatusPanel(ShellContext& shell, platform::Window& owner, int controlId);

    void show(bool shown);
    // The line of text: a string base in the current language.
    void set_text(int base);
    // Clamped to 0..range; nothing is filled while range is 0 or less.
    void set_position(int position, int range);
    // Moves on by `amount`, with a new range.
    void step(int amount, int range);
    int position() const { return position_; }
    int range() const { return range_; }

    // Waits `ms` while keeping the dialog painted.
    void wait(int ms);
    // Fills the bar in `steps` equal steps, step i shown `stepMs` × i after
    // the start (i = 0..steps), and returns after the last.
    void sweep(int steps, int stepMs);

private:
    void wait_until(uint64_t deadlineMs);

    ShellContext& shell_;
    platform::Window& owner_;
    int control_;
    int position_ = 0;
    int range_ = 0;
};

} // namespace quillon

#include "pages/status_panel.h"

#include <algorithm>

namespace quillon {

namespace {

// The longest time the dialog goes unpainted during a wait.
constexpr int kPaintSliceMs = 25;

} // namespace

StatusPanel::StatusPanel(ShellContext& shell, platform::Window& owner, int controlId)
    : shell_(shell), owner_(owner), control_(controlId)
{
}

void StatusPanel::show(bool shown)
{
    owner_.set_visible(control_, shown);
    owner_.repaint();
}

void StatusPanel::set_text(int base)
{
    owner_.set_text(control_, shell_.text(base));
    owner_.repaint();
}

void StatusPanel::set_position(int position, int range)
{
    range_ = range;
    position_ = range <= 0 ? 0 : std::clamp(position, 0, range);
    owner_.set_progress(control_, position_, range_);
    owner_.repaint();
}

void StatusPanel::step(int amount, int range) { set_position(position_ + amount, range); }

void StatusPanel::wait(int ms) { wait_until(shell_.ui.now_ms() + static_cast<uint64_t>(std::max(ms, 0))); }

void StatusPanel::sweep(int steps, int stepMs)
{
    const uint64_t start = shell_.ui.now_ms();
    for (int i = 0; i <= steps; ++i) {
        wait_until(start + static_cast<uint64_t>(stepMs) * static_cast<uint64_t>(i));
        set_position(i, steps);
    }
}

// Sleeps in short slices and repaints after each, so the window stays
// painted; the user's input waits until the operation is over.
void StatusPanel::wait_until(uint64_t deadlineMs)
{
    for (uint64_t now = shell_.ui.now_ms(); now < deadlineMs; now = shell_.ui.now_ms()) {
        shell_.ui.sleep_ms(static_cast<int>(std::min<uint64_t>(deadlineMs - now, kPaintSliceMs)));
        owner_.repaint();
    }
}

} // namespace quillon

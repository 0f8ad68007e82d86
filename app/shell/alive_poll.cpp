// The one-second alive poll, the device-lost message and the device's return.
#include "shell/main_window.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

void MainWindow::on_timer(int id)
{
    if (id == kPollTimer)
        alive_poll();
}

void MainWindow::alive_poll()
{
    AppState& state = shell_.state;
    if (pollPaused_ || pollBusy_ || !state.connected)
        return;
    pollBusy_ = true;
    if (shell_.gate.direct(q30::DRV_PING, nullptr) == 1 || try_reopen()) {
        pollFailures_ = 0;
        if (!state.linkUp)
            shell_.ui.beep();
        state.linkUp = true;
        if (state.deviceLost)
            device_back();
    } else {
        ++pollFailures_;
        state.linkUp = false;  // every page command now stops at the gate
        if (pollFailures_ > kPollFailuresBeforeMessage) {
            pollFailures_ = 0;
            // One message per loss; then the captions say so until it returns.
            if (!state.deviceLost) {
                state.deviceLost = true;
                update_captions();
                shell_.ui.send(*this, UWM_DEVICE_LOST);
            }
        }
    }
    pollBusy_ = false;
}

// A device that was unplugged comes back behind a new device node: while it
// is lost, the poll opens its port again now and then (cheap while the node
// does not exist; an identify that waits on a silent port takes longer).
bool MainWindow::try_reopen()
{
    if (!shell_.state.deviceLost || ++pollsSinceReopen_ < kPollsPerReopen)
        return false;
    pollsSinceReopen_ = 0;
    return shell_.gate.direct(q30::DRV_REOPEN, nullptr) == q30::kResultOk;
}

// The device answers again: the identity may have changed (another model
// on the same port); the pages keep their unsent edits.
void MainWindow::device_back()
{
    shell_.state.deviceLost = false;
    pollsSinceReopen_ = 0;
    update_captions();
    shell_.ui.send(*this, UWM_MODEL_CHECK);
}

void MainWindow::update_captions()
{
    for (auto& p : pages_)
        if (p)
            p->update_caption();
}

void MainWindow::device_lost()
{
    if (deviceLostBusy_)
        return;
    deviceLostBusy_ = true;
    pollPaused_ = true;
    shell_.ui.message_box(this, shell_.text(ids::kDeviceLost), shell_.ui.text(ids::kProgramTitle),
                          MessageBoxButtons::Ok, MessageBoxIcon::Warning);
    pollPaused_ = false;
    deviceLostBusy_ = false;
}

} // namespace quillon

// The one-second alive poll and the device-lost message.
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
    if (shell_.gate.direct(q30::DRV_PING, nullptr) == 1) {
        pollFailures_ = 0;
        if (!state.linkUp)
            shell_.ui.beep();
        state.linkUp = true;
    } else {
        ++pollFailures_;
        state.linkUp = false;  // every page command now stops at the gate
        if (pollFailures_ > kPollFailuresBeforeMessage) {
            pollFailures_ = 0;
            shell_.ui.send(*this, UWM_DEVICE_LOST);
        }
    }
    pollBusy_ = false;
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

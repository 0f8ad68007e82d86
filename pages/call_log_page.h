// The call log page (page 9): the three call lists the device keeps for one
// port at a time (outgoing, incoming, not answered), refreshed every five
// seconds while the page is shown. A list, or all three, can be cleared, and
// a click on a number has the device dial it back.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "dialog_ids/log_ids.h"
#include "pages/call_list.h"
#include "shell/page.h"

namespace quillon {

// String bases, the timer and the private message of the page; its control
// ids are in dialog_ids::log.
namespace call_log_ids {
inline constexpr int kPortCount = 6;  // ports 11, 21, 22, 31, 32 and the data port
inline constexpr int kDataPortIndex = 5;
inline constexpr int kFirstPortCaption = 6050;  // + 5 * port index: "Port 11" .. "Data Port"
inline constexpr int kOutgoingTitleString = 6240;  // + 5 * list: the three list titles
inline constexpr int kDialBackHintString = 6255;
inline constexpr int kDateTimeHeadingString = 6615;
inline constexpr int kNumberHeadingString = 6620;
inline constexpr int kChargeHeadingString = 6625;
inline constexpr int kDurationHeadingString = 6740;
inline constexpr int kClearString = 6745;
inline constexpr int kClearAllString = 6750;
inline constexpr int kClearRefusedMessage = 6755;
inline constexpr int kDialBackRefusedMessage = 6760;

inline constexpr int kRefreshTimer = 1;
inline constexpr int kRefreshPeriodMs = 5000;
// Posted to itself with wParam = list * 10 + row: dial that entry back.
inline constexpr uint32_t kDialBackMessage = platform::WM_USER + 0x0D;
} // namespace call_log_ids

class CallLogPage : public Page {
public:
    CallLogPage(ShellContext& shell, platform::Window& mainWindow);
    ~CallLogPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    void on_timer(int id) override;

    // The port shown (index 0..5) and the entries kept for a port and list.
    int current_port() const { return port_; }
    const std::vector<CallEntry>& entries(int port, int list) const;

protected:
    void on_built() override;
    void read_device() override;
    void relabel() override;
    void refresh() override;
    void pause_polling(bool pause) override { paused_ = pause; }

private:
    bool selectable(int port) const;
    void select_port(int port);
    void read_lists();
    void start_refresh_timer();
    void stop_refresh_timer();
    void clear(int list);
    void dial_back(int list, int row);

    using PortLists = std::array<std::vector<CallEntry>, kCallListCount>;
    std::array<PortLists, call_log_ids::kPortCount> entries_;
    int port_ = 0;
    int portCount_ = kMaxPorts;
    bool paused_ = false;
    bool clearing_ = false;
    bool dialling_ = false;
    bool timerRunning_ = false;
};

std::unique_ptr<Page> make_call_log_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

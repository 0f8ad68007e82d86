// The charge monitor page (page 7): the charges the device has counted per
// analogue port and for the data port (the last outgoing call with the
// device's description of it, the current connection, the running sum) and
// the device's total. Read-only but for the Clear buttons; it reads the
// device again every 5 seconds while it is shown and not paused.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/charges_ids.h"
#include "pages/charge_figures.h"
#include "pages/port_picture.h"
#include "shell/page.h"

namespace quillon {

// String bases and timer of the page; its control ids are in dialog_ids::charges.
namespace charges_ids {
inline constexpr int kLastCallString = 6195;
inline constexpr int kCurrentString = 6200;
inline constexpr int kSumString = 6205;
inline constexpr int kTotalString = 6210;
inline constexpr int kClearString = 6215;
inline constexpr int kClearTotalQuestion = 9795;
inline constexpr int kClearRefused = 9950;
inline constexpr int kFirstPortCaption = 6050;  // + 5 * column: "Port 11" .. "Data Port"
inline constexpr int kRefreshTimer = 1;
inline constexpr int kRefreshPeriodMs = 5000;
} // namespace charges_ids

class ChargesPage : public Page {
public:
    // What one column shows, as the device's texts in UTF-8.
    struct Column {
        std::string lastCallText;  // the device's own description of the last outgoing call
        std::string lastCall, current, sum;
    };

    ChargesPage(ShellContext& shell, platform::Window& mainWindow);
    ~ChargesPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    void on_timer(int id) override;

    const Column& column(std::size_t c) const { return columns_.at(c); }
    const std::string& total() const { return total_; }
    const std::string& unit() const { return unit_; }
    bool paused() const { return paused_; }

protected:
    void on_built() override;
    void read_device() override;
    void relabel() override;
    void refresh() override;
    void pause_polling(bool pause) override { paused_ = pause; }
    int first_input() const override { return dialog_ids::charges::kPort11ClearButton; }

private:
    bool in_use(std::size_t c) const;
    void adapt_to_model();
    void read_figures();
    void start_refresh();
    void stop_refresh();
    void clear_sum(std::size_t c);
    void clear_total();
    bool send_clear(int port, int counter);
    std::string shown_amount(const std::string& amount) const;

    std::array<Column, kChargeColumns> columns_;
    std::string total_{kNoCharge};
    std::string unit_;
    std::array<std::unique_ptr<PortPicture>, kChargeColumns> pictures_;
    std::size_t analoguePorts_ = kMaxPorts;
    bool paused_ = false;
    bool clearing_ = false;  // a clear and its questions are on screen: no refresh
};

std::unique_ptr<Page> make_charges_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

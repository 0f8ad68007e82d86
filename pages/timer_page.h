// The timer page (page 8): for every analogue port a morning call, a time
// of day at which the device rings the port, with the switch that activates
// it; and the device's clock beside the computer's, with the button that
// sets the device's clock from the computer.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/timer_ids.h"
#include "pages/port_picture.h"
#include "platform/local_time.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::timer.
namespace timer_ids {
inline constexpr int kMorningCallText = 6220;
inline constexpr int kActivatedText = 6225;
inline constexpr int kSyncHintText = 6230;
inline constexpr int kSyncButtonText = 6235;
inline constexpr int kDeviceClockText = 6870;
inline constexpr int kPcClockText = 6875;
inline constexpr int kFirstPortCaption = 6050;      // + 5 * port index
inline constexpr int kBadTimeMessage = 9695;        // while typing
inline constexpr int kErrorFormatMessage = 9785;    // on Enter and Tab
inline constexpr int kClockNotTakenMessage = 9640;  // the device refused the computer's time
} // namespace timer_ids

class TimerPage : public Page {
public:
    TimerPage(ShellContext& shell, platform::Window& mainWindow);
    ~TimerPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;

    // Whether any morning call differs from what the device has.
    using Page::changed;
    const Field<bool>& activated(int portIndex) const;
    const Field<std::string>& time(int portIndex) const;
    bool polling_paused() const { return pollingPaused_; }

protected:
    void on_built() override;
    void read_device() override;
    void store_controls() override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    void pause_polling(bool pause) override { pollingPaused_ = pause; }
    void confirm_field() override;
    int first_input() const override { return dialog_ids::timer::kPort11ActiveBox; }

private:
    // What names a value the device did not take: a label for a Send, the
    // profile key for a load.
    enum class Naming { Label, ProfileKey };

    int port_count() const;
    void adapt_to_model();
    void check_typed(int portIndex);
    void revert(int portIndex);
    void send(bool all, ValueReport& report, const std::string& group, Naming naming);
    void send_time(int portIndex, bool all, ValueReport& report, const std::string& group, const std::string& name);
    void read_time(int portIndex);
    void read_clocks();
    void synchronise_clock();
    void show_clocks();
    bool set_device_clock(const platform::LocalDateTime& time);
    std::string query_device_clock(bool& notSet);

    std::array<Field<bool>, kMaxPorts> activated_;
    std::array<Field<std::string>, kMaxPorts> times_;
    std::array<std::unique_ptr<PortPicture>, kMaxPorts> pictures_;
    std::string deviceClockText_;
    std::string pcClockText_;
    int lastEdited_ = -1;  // the time field typed into last, or none
    bool pollingPaused_ = false;
};

std::unique_ptr<Page> make_timer_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

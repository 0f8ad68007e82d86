// The call filter page (page 4): for every analogue port and for the data
// port, ten caller numbers whose incoming calls the device refuses, and the
// switch that activates that list.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/call_filter_ids.h"
#include "pages/port_picture.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::call_filter.
namespace call_filter_ids {
inline constexpr int kColumnCount = 6;  // ports 11, 21, 22, 31, 32 and the data port
inline constexpr int kDataColumn = 5;
inline constexpr int kNumberCount = 10;
inline constexpr int kIntroString = 6135;
inline constexpr int kActivatedString = 6140;
inline constexpr int kFirstPortCaption = 6050;  // + 5 * column: "Port 11" .. "Data Port"
inline constexpr int kFilterWord = 6020;        // "Call filter", for naming a number that was not sent
} // namespace call_filter_ids

class CallFilterPage : public Page {
public:
    CallFilterPage(ShellContext& shell, platform::Window& mainWindow);
    ~CallFilterPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;

    // A column's caller number (its device form) and switch.
    const Field<std::string>& number(int column, int index) const;
    const Field<bool>& activated(int column) const;

protected:
    void on_built() override;
    void read_device() override;
    void store_controls() override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    void confirm_field() override;
    int first_input() const override { return dialog_ids::call_filter::kPort11Number0Edit; }

private:
    // What names a value the device did not take: a label for a Send, the
    // profile key for a load.
    enum class Naming { Label, ProfileKey };

    void adapt_to_model();
    void refresh_pictures();
    bool in_use(int column) const;
    void send(bool all, ValueReport& report, const std::string& group, Naming naming);
    void check_typed(int editId);
    void take_input();

    std::array<std::array<Field<std::string>, call_filter_ids::kNumberCount>, call_filter_ids::kColumnCount> numbers_;
    std::array<Field<bool>, call_filter_ids::kColumnCount> activated_;
    std::array<std::unique_ptr<PortPicture>, call_filter_ids::kColumnCount> pictures_;
    int portCount_ = kMaxPorts;
};

std::unique_ptr<Page> make_call_filter_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

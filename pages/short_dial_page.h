// The short dial and special ring page (page 2): ten short dial strings for
// every analogue port, each a number or another port, and per port the
// switch that makes the port ring with a distinct tone when the caller is
// one of its short dial numbers.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/short_dial_ids.h"
#include "pages/port_picture.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::short_dial.
namespace short_dial_ids {
inline constexpr int kSlotCount = 10;
inline constexpr int kIntroString = 6110;
inline constexpr int kSpecialRingString = 6145;
inline constexpr int kFirstPortCaption = 6050;  // + 5 * port index
inline constexpr int kShortDialWord = 6010;     // "Short dial", for naming a slot that was not sent
} // namespace short_dial_ids

class ShortDialPage : public Page {
public:
    ShortDialPage(ShellContext& shell, platform::Window& mainWindow);
    ~ShortDialPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;

    // The device form of a slot ("0301234", "*21") and a port's switch.
    const Field<std::string>& number(int port, int slot) const;
    const Field<bool>& special_ring(int port) const;

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
    int first_input() const override { return dialog_ids::short_dial::kPort11Slot0Edit; }

private:
    // The Send button sends every value; the leave check's Send only what changed.
    enum class SendScope { All, Changed };
    // What names a value the device did not take: a label for a Send, the
    // profile key for a load.
    enum class Naming { Label, ProfileKey };

    void adapt_to_model();
    void refresh_pictures();
    void send(SendScope scope, ValueReport& report, const std::string& group, Naming naming);
    void check_typed(int editId);
    void left_field(int editId);
    void revert(int editId);
    void take_input();
    Field<std::string>& field_of(int editId);
    int port_count() const { return portCount_; }

    std::array<std::array<Field<std::string>, short_dial_ids::kSlotCount>, kMaxPorts> numbers_;
    std::array<Field<bool>, kMaxPorts> specialRing_;
    std::array<std::unique_ptr<PortPicture>, kMaxPorts> pictures_;
    int portCount_ = kMaxPorts;
};

std::unique_ptr<Page> make_short_dial_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

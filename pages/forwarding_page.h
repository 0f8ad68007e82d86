// The call forwarding page (page 3): for every analogue port, where its calls
// go immediately, when it is busy, and when nobody answers within 20
// seconds. Each field has a button of its own that sends that one setting at
// once; the status line shows what the device made of it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/forwarding_ids.h"
#include "pages/destination.h"
#include "pages/port_picture.h"
#include "shell/device_set.h"
#include "shell/page.h"

namespace quillon {

class MainWindow;

// String bases of the page; its control ids are in dialog_ids::forwarding.
namespace forwarding_ids {
inline constexpr int kFirstKindHeading = 6115;  // + 5 * kind
inline constexpr int kStatusReady = 6130;
inline constexpr int kStatusProcessing = 9660;
inline constexpr int kStatusRefused = 9665;
inline constexpr int kHintText = 6590;
inline constexpr int kSetMsn0First = 6660;       // followed by " <port number>"
inline constexpr int kFirstPortCaption = 6050;   // + 5 * port index

inline constexpr int kStatusTimer = 1;
inline constexpr int kStatusShownMs = 4000;      // a refusal stays in the status line this long
inline constexpr int kPauseAfterSendMs = 700;    // the device settles after each forwarding request
} // namespace forwarding_ids

// The three kinds, in the order of the page's columns and of every loop.
enum class ForwardingKind { Immediate = 0, Busy = 1, NoReply = 2 };
inline constexpr int kForwardingKinds = 3;

// The device command of a kind and its profile key (port index appended).
uint32_t forwarding_command(int kind);
std::string forwarding_profile_key(int kind, int portIndex);

// What goes to the device for a text in a destination field: a port's name
// (even one longer than a number may be) as that port's code, anything else
// as it stands.
std::string forwarding_device_form(const std::string& displayText, const PortNames& aliases);

class ForwardingPage : public Page {
public:
    ForwardingPage(ShellContext& shell, platform::Window& mainWindow);
    ~ForwardingPage() override;

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    void on_timer(int id) override;

    // The device form of a field (edited) beside its confirmed value.
    const Field<std::string>& field(int kind, int portIndex) const;
    int status_text() const { return statusText_; }

protected:
    void on_built() override;
    void read_device() override;
    void store_controls() override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    int first_input() const override { return dialog_ids::forwarding::kPort11ImmediateEdit; }

private:
    // What became of one field's request: what keeps it from the device,
    // and whether the device (or the check before sending) said no.
    struct Outcome {
        SetProblem problem = SetProblem::None;
        bool refused = false;
    };

    void adapt_to_model();
    int port_count() const;
    Field<std::string>& field_at(int kind, int portIndex);

    // Device form to display text, for every field; port names and pictures.
    void show_fields();
    void show_port_labels();
    void set_status(int textId);

    void read_field(int kind, int portIndex);
    void check_typed(int kind, int portIndex);
    void revert(int kind, int portIndex);

    void send_button(int kind, int portIndex);
    Outcome send_field(int kind, int portIndex, bool onlyIfChanged);
    // Every field in port order, kinds within a port, then a full re-read.
    void send_sequence(bool onlyIfChanged, ValueReport& report, bool loading);
    std::string value_name(int kind, int portIndex) const;
    MainWindow* main_window() const;

    std::array<std::array<Field<std::string>, kMaxPorts>, kForwardingKinds> fields_;
    std::array<std::unique_ptr<PortPicture>, kMaxPorts> pictures_;
    int statusText_ = forwarding_ids::kStatusReady;
};

std::unique_ptr<Page> make_forwarding_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

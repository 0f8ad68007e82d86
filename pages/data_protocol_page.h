// The data protocol page (page 5): how the device's data port talks to
// remote computers. The protocol, its automatic identification, the
// parameters of the chosen protocol (multilink, bandwidth allocation and the
// endpoint identifier for PPP; frame sizes for V.120, X.75 and HDLC; I- or
// UI-frames for V.120) and the four bandwidth-on-demand thresholds that the
// BOD configuration dialog edits.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/data_ids.h"
#include "pages/bod_dialog.h"
#include "pages/data_protocol_checks.h"
#include "shell/page.h"

namespace quillon {

namespace data_protocol {

// Protocol numbers, as the page and the library count them.
enum Protocol : int {
    kPpp = 0,
    kV120 = 1,
    kV110 = 2,
    kX75Btx = 3,
    kX75Transparent = 4,
    kX75T70 = 5,
    kHdlc = 6,
    kSoftFax = 7,
};
inline constexpr int kProtocolCount = 8;

// Every device value of the page; switches are 0 or 1. The EID numbers are
// kept per class in the device's form.
struct Fields {
    Field<int> protocol{kPpp};
    Field<int> autoDetect{0};
    Field<int> multilinkPpp{0};
    Field<int> dba{0};
    Field<int> bod{0};
    Field<int> eidClass{kEidNull};
    std::array<Field<std::string>, kEidClassCount> eidNumbers;
    Field<int> v120Size{frame_size_rule(FrameKind::V120).defaultSize};
    Field<int> iFrame{0};
    Field<int> multilinkX75{0};
    Field<int> x75Size{frame_size_rule(FrameKind::X75).defaultSize};
    Field<int> hdlcSize{frame_size_rule(FrameKind::Hdlc).defaultSize};
    Field<int> highWater{0};
    Field<int> lowWater{0};
    Field<int> highDuration{0};
    Field<int> lowDuration{0};
};

} // namespace data_protocol

class DataProtocolPage : public Page {
public:
    DataProtocolPage(ShellContext& shell, platform::Window& mainWindow);

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    bool pre_translate(const platform::Message& m) override;
    void on_close() override;

    const data_protocol::Fields& fields() const { return fields_; }

protected:
    void on_built() override;
    void read_device() override;
    void store_controls() override;
    bool changed() const override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    void confirm_field() override;
    int first_input() const override { return dialog_ids::data::kProtocolList; }

private:
    // How taking the controls into the values ended.
    enum class Input {
        Taken,
        SizeRefused,  // the frame size was set back; nothing may be sent
        EidRefused,   // the EID number was set back; nothing may be sent, and the user stays
    };
    // What names a value the device did not take.
    enum class Naming { Label, ProfileKey };

    // data_protocol_page.cpp: controls, typing checks, taking input
    Input take_input();
    bool take_eid_number(bool tellProblem);
    bool eid_keeps_user_here();
    void show_protocol_controls();
    void change_protocol();
    void change_eid_class();
    void check_typed_eid();
    void check_typed_frame_size(int editId);
    void edit_bod_values();
    void tell(int message, bool singleId = false);
    std::string eid_display() const;

    // data_protocol_exchange.cpp: the device and the profile
    void send(ValueReport& report, const std::string& group, Naming naming);

    data_protocol::Fields fields_;
};

std::unique_ptr<Page> make_data_protocol_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon

#include "pages/data_callback.h"

#include <array>
#include <memory>

#include "pages/phone_number.h"
#include "pages/port_picture.h"
#include "shell/shell_dialogs.h"
#include "profile/profile_keys.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kDialog = 822;
constexpr int kSwitch = 2300;
constexpr int kFirstNumber = 2301;
constexpr int kHeading = 1497;
constexpr int kExplanation = 1231;
constexpr int kCaption = 8555;
constexpr int kSwitchCaption = 6370;
constexpr int kHeadingText = 6375;
constexpr int kExplanationText = 6380;
constexpr int kHelpText = 7060;
constexpr int kNotANumber = 9650;
constexpr int kDataPortPicturePlace = 1028;
constexpr int kDataPortIndex = 5;

bool accepted(int32_t result, const DrvCmd& r) { return result == 0 && r.ok == 1; }

class DataCallbackDialog : public Window {
public:
    explicit DataCallbackDialog(MainWindow& main) : Window(main.shell().ui, &main), main_(main), shell_(main.shell())
    {
        create(shell_.dialog_id(kDialog), WindowRole::Modal);
        set_caption(shell_.text(kCaption));
        set_text(kSwitch, shell_.text(kSwitchCaption));
        set_text(kHeading, shell_.text(kHeadingText));
        set_text(kExplanation, shell_.text(kExplanationText));
        set_text(IDCANCEL, shell_.text(ids::kCancel));
        set_text(ID_SEND, shell_.text(ids::kOk));
        // The data port's picture, for display only.
        picture_ = std::make_unique<PortPicture>(shell_, *this, kDataPortPicturePlace, kDataPortIndex,
                                                 PortPictureKind::DataPort, PortPicture::Look{false, false});
        const CallbackSettings& now = main_.callback_settings();
        editedActive_ = confirmedActive_ = now.active;
        edited_ = confirmed_ = now.numbers;
        show_values();
    }

    void on_command(int id, int code) override
    {
        if (id >= kFirstNumber && id < kFirstNumber + kCallbackNumberCount) {
            if (code == EN_CHANGE)
                check_number(id - kFirstNumber);
            else if (code == EN_KILLFOCUS)
                store_controls();
            return;
        }
        if (code != BN_CLICKED)
            return;
        switch (id) {
        case kSwitch: store_controls(); break;
        case ID_SEND: send_and_close(); break;
        case IDCANCEL:
            shell_.beep_if_sound();
            end_modal(IDCANCEL);
            break;
        case ID_HELP: show_help(shell_, this, kHelpText, kCaption); break;
        default: break;
        }
    }
    void on_close() override { end_modal(IDCANCEL); }

private:
    void show_values()
    {
        set_check(kSwitch, editedActive_ ? 1 : 0);
        for (int i = 0; i < kCallbackNumberCount; ++i)
            set_text(kFirstNumber + i, edited_[static_cast<std::size_t>(i)]);
    }
    void store_controls()
    {
        editedActive_ = check(kSwitch) != 0;
        for (int i = 0; i < kCallbackNumberCount; ++i)
            edited_[static_cast<std::size_t>(i)] = text(kFirstNumber + i);
    }
    void check_number(int i)
    {
        store_controls();
        auto& number = edited_[static_cast<std::size_t>(i)];
        if (is_phone_number_text(number))
            return;
        shell_.ui.message_box(this, shell_.text(kNotANumber), shell_.ui.text(ids::kProgramTitle),
                              MessageBoxButtons::Ok, MessageBoxIcon::Warning);
        number = confirmed_[static_cast<std::size_t>(i)];
        set_text(kFirstNumber + i, number);
        set_focus(kFirstNumber + i);
    }
    void send_and_close()
    {
        shell_.beep_if_sound();
        store_controls();
        CallbackSettings& main = main_.callback_settings();
        if (editedActive_ != confirmedActive_) {
            DrvCmd r = blank_record(0, 0, q30::OP_SET);
            r.on = editedActive_ ? 1 : 0;
            if (accepted(shell_.gate.send(q30::DRV_CALLBACK_ON, &r), r))
                confirmedActive_ = main.active = editedActive_;
        }
        for (int i = 0; i < kCallbackNumberCount; ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (edited_[index] == confirmed_[index])
                continue;
            DrvCmd r = blank_record(0, i, q30::OP_SET);
            q30::record::set_str(r, edited_[index]);
            if (accepted(shell_.gate.send(q30::DRV_CALLBACK_NUMBER, &r), r))
                confirmed_[index] = main.numbers[index] = edited_[index];
        }
        store_controls();
        end_modal(ID_SEND);
    }

    MainWindow& main_;
    ShellContext& shell_;
    std::unique_ptr<PortPicture> picture_;
    bool editedActive_ = false, confirmedActive_ = false;
    std::array<std::string, kCallbackNumberCount> edited_, confirmed_;
};

} // namespace

int run_data_callback_dialog(MainWindow& main)
{
    main.read_callback_settings();
    DataCallbackDialog dialog(main);
    return dialog.run_modal();
}

std::vector<std::string> send_callback_settings(MainWindow& main)
{
    ShellContext& shell = main.shell();
    const CallbackSettings& s = main.callback_settings();
    std::vector<std::string> refused;
    DrvCmd on = blank_record(0, 0, q30::OP_SET);
    on.on = s.active ? 1 : 0;
    shell.gate.send(q30::DRV_CALLBACK_ON, &on);
    for (int i = 0; i < kCallbackNumberCount; ++i) {
        DrvCmd r = blank_record(0, i, q30::OP_SET);
        q30::record::set_str(r, s.numbers[static_cast<std::size_t>(i)]);
        if (shell.gate.send(q30::DRV_CALLBACK_NUMBER, &r) == q30::kResultRefused)
            refused.push_back(profile::callback_number_key(i));
    }
    return refused;
}

} // namespace quillon

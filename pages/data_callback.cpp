#include "pages/data_callback.h"

#include <array>
#include <memory>

#include "pages/phone_number.h"
#include "pages/port_picture.h"
#include "shell/device_set.h"
#include "shell/next_input.h"
#include "shell/page_values.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"
#include "dialog_ids/data_callback_ids.h"

namespace quillon {

using namespace platform;

namespace {

using namespace dialog_ids::data_callback;

// The number edits are a row: number i is kFirstNumber + i.
static_assert(kLastNumber == kFirstNumber + kCallbackNumberCount - 1);

constexpr int kCaption = 8555;
constexpr int kSwitchCaption = 6370;
constexpr int kHeadingText = 6375;
constexpr int kExplanationText = 6380;
constexpr int kHelpText = 7060;
constexpr int kNotANumber = 9650;
constexpr int kDataPortIndex = 5;

class DataCallbackDialog : public Window {
public:
    explicit DataCallbackDialog(MainWindow& main) : Window(main.shell().ui, &main), main_(main), shell_(main.shell())
    {
        create(shell_.dialog_id(ids::kDataCallbackDialog), WindowRole::Modal);
        set_caption(shell_.text(kCaption));
        set_text(kSwitch, shell_.text(kSwitchCaption));
        set_text(kHeading, shell_.text(kHeadingText));
        set_text(kExplanation, shell_.text(kExplanationText));
        set_text(IDCANCEL, shell_.text(ids::kCancel));
        set_text(ID_SEND, shell_.text(ids::kOk));
        // The data port's picture, for display only.
        picture_ = std::make_unique<PortPicture>(shell_, *this, kDataPortPicturePlace, kDataPortIndex,
                                                 PortPictureKind::DataPort, PortPicture::Look{false, false});
        // The main window has just read the settings: they are the device copies.
        CallbackSettings& now = main_.callback_settings();
        active_.bind_device(&now.active);
        active_.read(now.active);
        for (std::size_t i = 0; i < numbers_.size(); ++i) {
            numbers_[i].bind_device(&now.numbers[i]);
            numbers_[i].read(now.numbers[i]);
        }
        show_values();
    }

    // Enter and Tab store the controls and move on; OK is a click.
    bool on_key(Key key) override { return confirm_field_key(*this, key, [this] { store_controls(); }); }

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
        set_check(kSwitch, active_.edited() ? 1 : 0);
        for (int i = 0; i < kCallbackNumberCount; ++i)
            set_text(kFirstNumber + i, numbers_[static_cast<std::size_t>(i)].edited());
    }
    void store_controls()
    {
        active_.edit(check(kSwitch) != 0);
        for (int i = 0; i < kCallbackNumberCount; ++i)
            numbers_[static_cast<std::size_t>(i)].edit(text(kFirstNumber + i));
    }
    void check_number(int i)
    {
        store_controls();
        auto& number = numbers_[static_cast<std::size_t>(i)];
        if (is_phone_number_text(number.edited()))
            return;
        const bool tooLong = number.edited().size() > kMaxPhoneDigits;
        shell_.ui.message_box(this, shell_.text(tooLong ? ids::kMax15Digits : kNotANumber),
                              shell_.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
        number.discard();
        set_text(kFirstNumber + i, number.edited());
        set_focus(kFirstNumber + i);
    }
    void send_and_close()
    {
        shell_.beep_if_sound();
        store_controls();
        const std::string group = shell_.text(kCaption);
        ValueReport report;
        if (active_.changed()) {
            DrvCmd r = blank_record(0, 0, q30::OP_SET);
            r.on = active_.edited() ? 1 : 0;
            const SetProblem problem = send_set(shell_.gate, q30::DRV_CALLBACK_ON, r);
            if (problem == SetProblem::None)
                active_.accept();
            report.add(group, shell_.text(kSwitchCaption), problem);
        }
        for (int i = 0; i < kCallbackNumberCount; ++i) {
            auto& number = numbers_[static_cast<std::size_t>(i)];
            if (!number.changed())
                continue;
            DrvCmd r = blank_record(0, i, q30::OP_SET);
            const SetProblem problem = send_text_set(shell_.gate, q30::DRV_CALLBACK_NUMBER, r, number.edited());
            if (problem == SetProblem::None)
                number.accept();
            report.add(group, std::to_string(i), problem);
        }
        report.tell(shell_, this, ids::kSendNotAccepted);
        end_modal(ID_SEND);
    }

    MainWindow& main_;
    ShellContext& shell_;
    std::unique_ptr<PortPicture> picture_;
    Field<bool> active_;
    std::array<Field<std::string>, kCallbackNumberCount> numbers_;
};

} // namespace

int run_data_callback_dialog(MainWindow& main)
{
    main.read_callback_settings();
    return show_data_callback_dialog(main);
}

int show_data_callback_dialog(MainWindow& main)
{
    DataCallbackDialog dialog(main);
    return dialog.run_modal();
}

} // namespace quillon

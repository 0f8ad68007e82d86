#include "pages/bod_dialog.h"

#include <array>

#include "pages/data_protocol_checks.h"
#include "shell/next_input.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"
#include "dialog_ids/bod_ids.h"

namespace quillon {

using namespace platform;

namespace {

using namespace dialog_ids::bod;
using data_protocol::BodKind;

constexpr int kBodDialog = 858;
constexpr int kCaption = 8640;
constexpr int kHelpText = 7115;
constexpr int kEnterAnInteger = 61712;  // a single id, the same in every language

// The four fields in the order OK takes them.
struct BodField {
    int edit;
    BodKind kind;
    int BodValues::*value;
};
constexpr std::array<BodField, 4> kFields = {{
    {kHighWaterEdit, BodKind::Water, &BodValues::highWater},
    {kLowWaterEdit, BodKind::Water, &BodValues::lowWater},
    {kHighDurationEdit, BodKind::Duration, &BodValues::highDuration},
    {kLowDurationEdit, BodKind::Duration, &BodValues::lowDuration},
}};

struct Label {
    int control;
    int text;
};
constexpr std::array<Label, 13> kLabels = {{
    {kCautionText, 6510},
    {kAddFrame, 6515},
    {kHighWaterLabel, 6520},
    {kHighDurationLabel, 6525},
    {kHighWaterUnit, 6535},
    {kHighDurationUnit, 6540},
    {kDropFrame, 6545},
    {kLowWaterLabel, 6530},
    {kLowDurationLabel, 6525},
    {kLowWaterUnit, 6535},
    {kLowDurationUnit, 6540},
    {IDCANCEL, ids::kCancel},
    {kOkButton, ids::kOk},
}};

class BodDialog : public Window {
public:
    BodDialog(ShellContext& shell, Window& owner, const BodValues& handedIn)
        : Window(shell.ui, &owner), shell_(shell), handedIn_(handedIn), edited_(handedIn)
    {
        create(shell_.dialog_id(kBodDialog), WindowRole::Modal);
        set_caption(shell_.text(kCaption));
        for (const Label& label : kLabels)
            set_text(label.control, shell_.text(label.text));
        for (const BodField& field : kFields)
            show_value(field);
    }

    const BodValues& values() const { return edited_; }

    // Enter and Tab move on; the values are taken on OK.
    bool on_key(Key key) override
    {
        return confirm_field_key(*this, key, [] {});
    }

    void on_command(int id, int code) override
    {
        for (const BodField& field : kFields)
            if (id == field.edit) {
                if (code == EN_CHANGE)
                    check_typed(field);
                return;
            }
        if (code != BN_CLICKED)
            return;
        switch (id) {
        case kOkButton: confirm(); break;
        case IDCANCEL: end_modal(IDCANCEL); break;
        case ID_HELP: show_help(shell_, this, kHelpText, kCaption); break;
        default: break;
        }
    }
    void on_close() override { end_modal(IDCANCEL); }

private:
    void show_value(const BodField& field) { set_text(field.edit, std::to_string(edited_.*field.value)); }

    void tell(int message, bool singleId = false)
    {
        shell_.ui.message_box(this, singleId ? shell_.ui.text(message) : shell_.text(message),
                              shell_.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
    }

    // What the user typed into the other fields stays; this one gets the
    // value the dialog was opened with.
    void check_typed(const BodField& field)
    {
        const int problem = data_protocol::check_typed_bod(field.kind, text(field.edit));
        if (problem == data_protocol::kNoProblem)
            return;
        tell(problem);
        edited_.*field.value = handedIn_.*field.value;
        show_value(field);
        set_focus(field.edit);
    }

    void confirm()
    {
        shell_.beep_if_sound();
        for (const BodField& field : kFields) {
            const std::optional<long> value = data_protocol::decimal_value(text(field.edit));
            if (!value) {
                tell(kEnterAnInteger, true);
                break;
            }
            edited_.*field.value = static_cast<int>(*value);
        }
        // Equal water marks are allowed; a low water above the high one is not.
        if (edited_.lowWater > edited_.highWater) {
            edited_.lowWater = edited_.highWater;
            for (const BodField& field : kFields)
                show_value(field);
            tell(data_protocol::kLowAboveHigh);
        }
        end_modal(IDOK);
    }

    ShellContext& shell_;
    const BodValues handedIn_;
    BodValues edited_;
};

} // namespace

std::optional<BodValues> run_bod_dialog(ShellContext& shell, Window& owner, const BodValues& handedIn)
{
    BodDialog dialog(shell, owner, handedIn);
    if (dialog.run_modal() != IDOK)
        return std::nullopt;
    return dialog.values();
}

} // namespace quillon

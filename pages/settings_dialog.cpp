#include "pages/settings_dialog.h"

#include <array>
#include <cstdio>

#include "q30com32/com_ports.h"
#include "pages/compare_versions.h"
#include "pages/general_settings.h"
#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/device_set.h"
#include "shell/device_text.h"
#include "shell/next_input.h"
#include "shell/page_values.h"
#include "shell/shell_ids.h"
#include "dialog_ids/settings_ids.h"

namespace quillon {

using namespace platform;

namespace {

using namespace dialog_ids::settings;

constexpr int kCaption = 6340;
constexpr const char* kFirstFirmwareWithCurrency = "1.3.4";

// The five texts, in the order the controls are numbered.
enum TextField { kChargeUnit, kLocalCode, kPabx, kInternational, kCurrency, kFieldCount };
constexpr std::array<int, kFieldCount> kEdits = {kChargeUnitEdit, kLocalCodeEdit, kPabxEdit, kInternationalEdit,
                                                 kCurrencyEdit};
constexpr std::array<int, 4> kLabels = {kChargeUnitLabel, kLocalCodeLabel, kPabxLabel, kInternationalLabel};
constexpr std::array<int, 4> kLabelTexts = {6320, 6325, 6330, 6335};
constexpr int kSoundText = 6310, kLanguageText = 6305, kPortLabelText = 6300;
// The label text of a field, for telling what the device did not take;
// the currency sits on the line of the charge per unit.
int label_text(TextField f) { return kLabelTexts[static_cast<std::size_t>(f == kCurrency ? kChargeUnit : f)]; }

// Language pictures of the selector: English/International and German.
constexpr std::array<const char*, 2> kLanguagePictures = {"344", "345"};

// The checks while typing; the message to show when one fails.
struct Check {
    bool (*ok)(const std::string&);
    int message;
};

bool digits_only(const std::string& s, std::size_t max)
{
    if (s.size() > max)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Digits, "." and ","; the digits before the last separator make a number below 10000.
bool charge_ok(const std::string& s)
{
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == ','))
            return false;
    const std::size_t sep = s.find_last_of(".,");
    const std::string whole = sep == std::string::npos ? s : s.substr(0, sep);
    long value = 0;
    for (char c : whole) {
        if (c == '.' || c == ',')
            continue;
        value = value * 10 + (c - '0');
        if (value >= 10000)
            return false;
    }
    return true;
}

// The currency counts characters, not bytes: "€" is one.
constexpr std::size_t kMaxCurrencyChars = 3;

constexpr std::array<Check, kFieldCount> kChecks = {{
    {charge_ok, 9785},
    {[](const std::string& s) { return digits_only(s, 6); }, 9825},
    {[](const std::string& s) { return digits_only(s, 3); }, 9770},
    {[](const std::string& s) { return digits_only(s, 5); }, 9780},
    {[](const std::string& s) { return character_count(s) <= kMaxCurrencyChars; }, 9815},
}};

// The entry of the general settings table behind each field.
constexpr std::array<std::size_t, kFieldCount> kSettingOf = {0, 2, 3, 4, 1};
// The order OK sends changed texts in.
constexpr std::array<TextField, kFieldCount> kSendOrder = {kCurrency, kChargeUnit, kLocalCode, kPabx, kInternational};

const TextSetting& setting_of(TextField f) { return kTextSettings[kSettingOf[static_cast<std::size_t>(f)]]; }

class SettingsDialog : public Window {
public:
    explicit SettingsDialog(MainWindow& main) : Window(main.shell().ui, &main), main_(main), shell_(main.shell())
    {
        create(shell_.dialog_id(ids::kSettingsDialog), WindowRole::Modal);
        language_ = shell_.state.language;
        set_items(kLanguagePicture, {kLanguagePictures.begin(), kLanguagePictures.end()});
        set_selection(kLanguagePicture, language_ == 1 ? 1 : 0);
        set_visible(kGermanDisplayCheck, false);
        if (CompareVersions(kFirstFirmwareWithCurrency, shell_.state.firmwareVersion) != kVersionHigher) {
            move_onto(kEdits[kChargeUnit], kNewChargeUnitPlace);
            move_onto(kEdits[kCurrency], kCurrencyPlace);
            set_visible(kEdits[kCurrency], true);
        } else {
            set_visible(kEdits[kCurrency], false);
        }
        read();
        relabel();
    }

    // Enter and Tab store the controls and move on; OK is a click.
    bool on_key(Key key) override { return confirm_field_key(*this, key, [this] { store_controls(); }); }

    intptr_t on_message(const Message& m) override
    {
        if (m.id == UWM_CONTROL_CLICK && static_cast<int>(m.wparam) == kLanguagePicture) {
            pick_language(selection(kLanguagePicture));
            return 1;
        }
        return Window::on_message(m);
    }

    void on_command(int id, int code) override
    {
        for (int f = 0; f < kFieldCount; ++f)
            if (id == kEdits[static_cast<std::size_t>(f)]) {
                if (code == EN_CHANGE)
                    field_changed(static_cast<TextField>(f));
                else if (code == EN_KILLFOCUS)
                    store_controls();
                return;
            }
        if (code != BN_CLICKED)
            return;
        if (id == kSoundCheck)
            store_controls();
        else if (id == kOkButton)
            ok();
        else if (id == IDCANCEL) {
            if (sound_)
                shell_.ui.beep();
            end_modal(IDCANCEL);
        }
    }
    void on_close() override { end_modal(IDCANCEL); }

private:
    void move_onto(int control, int place) { backend().place_control_over(*this, control, place); }

    // The main window has just read the texts from the device: they are
    // the device copies the fields confirm into.
    void read()
    {
        WaitCursor wait(shell_.ui);
        sound_ = main_.general_settings().soundOn;
        shell_.state.soundOn = sound_;
        for (int f = 0; f < kFieldCount; ++f) {
            auto& field = fields_[static_cast<std::size_t>(f)];
            field.bind_device(&(main_.general_settings().*setting_of(static_cast<TextField>(f)).value));
            field.read(field.device());
        }
        show_values();
    }
    void show_values()
    {
        set_check(kSoundCheck, sound_ ? 1 : 0);
        for (int f = 0; f < kFieldCount; ++f)
            set_text(kEdits[static_cast<std::size_t>(f)], fields_[static_cast<std::size_t>(f)].edited());
    }
    void store_controls()
    {
        sound_ = check(kSoundCheck) != 0;
        for (int f = 0; f < kFieldCount; ++f)
            fields_[static_cast<std::size_t>(f)].edit(text(kEdits[static_cast<std::size_t>(f)]));
    }
    void field_changed(TextField f)
    {
        store_controls();
        const auto i = static_cast<std::size_t>(f);
        auto& field = fields_[i];
        int message = 0;
        if (!kChecks[i].ok(field.edited()))
            message = kChecks[i].message;
        else if (check_device_text(field.edited()) == SetProblem::BadCharacters)
            message = ids::kCharacterNotForDevice;
        if (message == 0)
            return;
        shell_.ui.message_box(this, shell_.text(message), shell_.ui.text(ids::kProgramTitle),
                              MessageBoxButtons::Ok, MessageBoxIcon::Warning);
        field.discard();
        set_text(kEdits[i], field.edited());
    }

    // Labels follow the dialog's own language; the device display follows a pick at once.
    void relabel()
    {
        if (languageChanged_) {
            DrvCmd r = blank_record(0, 0, q30::OP_SET);
            r.value = language_;
            shell_.gate.send(q30::DRV_LANGUAGE, &r);
        }
        auto text_of = [&](int base) { return shell_.ui.text(base, language_); };
        set_caption(text_of(kCaption));
        set_text(kPortLabel, text_of(kPortLabelText));
        set_text(IDCANCEL, text_of(ids::kCancel));
        set_text(kLanguageLabel, text_of(kLanguageText));
        set_text(kSoundCheck, text_of(kSoundText));
        for (std::size_t i = 0; i < kLabels.size(); ++i)
            set_text(kLabels[i], text_of(kLabelTexts[i]));
        set_text(kPortText, port_text(shell_.state.comPortIndex));
    }

    void pick_language(int picked)
    {
        if (picked < 0 || picked > 1 || picked == language_)
            return;
        language_ = picked;
        languageChanged_ = true;
        relabel();
        repaint();
    }

    void ok()
    {
        store_controls();
        if (sound_)
            shell_.ui.beep();
        AppState& state = shell_.state;
        if (languageChanged_) {
            state.language = language_;
            shell_.ui.send(main_, UWM_SET_LANGUAGE);
            languageChanged_ = false;
        }
        state.soundOn = sound_;
        main_.general_settings().soundOn = sound_;
        profile::write_int(state.defaultProfilePath, profile::kSettingsSection, profile::kSoundKey, sound_ ? 1 : 0);
        ValueReport report;
        for (TextField f : kSendOrder) {
            auto& field = fields_[static_cast<std::size_t>(f)];
            if (!field.changed())
                continue;
            DrvCmd r = blank_record(0, 0, q30::OP_SET);
            const SetProblem problem = send_text_set(shell_.gate, setting_of(f).command, r, field.edited());
            if (problem == SetProblem::None)
                field.accept();
            report.add(shell_.text(kCaption), shell_.text(label_text(f)), problem);
        }
        report.tell(shell_, this, ids::kSendNotAccepted);
        end_modal(kOkButton);
    }

    MainWindow& main_;
    ShellContext& shell_;
    int language_ = 0;
    bool languageChanged_ = false;
    bool sound_ = false;
    // The five texts; the device copies are the main window's general settings.
    std::array<Field<std::string>, kFieldCount> fields_;
};

} // namespace

std::string port_text(int comIndex)
{
    char port[32];
    std::snprintf(port, sizeof port, "  COM%d", comIndex + 1);
    const std::string path = q30::com_path(comIndex);
    return path.empty() ? port : std::string(port) + " (" + path + ")";
}

int run_settings_dialog(MainWindow& main)
{
    SettingsDialog dialog(main);
    return dialog.run_modal();
}

} // namespace quillon

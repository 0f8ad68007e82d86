#include "pages/settings_dialog.h"

#include <array>
#include <cstdio>

#include "com_ports.h"
#include "pages/compare_versions.h"
#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kDialog = 846;
constexpr int kCaption = 6340;
constexpr int kSoundCheck = 1476;
constexpr int kLanguagePicture = 1052;
constexpr int kPortText = 1484;
constexpr int kLanguageLabel = 1482;
constexpr int kPortLabel = 1483;
constexpr int kGermanDisplay = 2350;
constexpr int kOk = 1053;
constexpr int kNewChargeUnitPlace = 1674;
constexpr int kCurrencyPlace = 1675;
constexpr const char* kFirstFirmwareWithCurrency = "1.3.4";

// The five texts, in the order the controls are numbered.
enum Field { kChargeUnit, kLocalCode, kPabx, kInternational, kCurrency, kFieldCount };
constexpr std::array<int, kFieldCount> kEdits = {2352, 2353, 2354, 2355, 2356};
constexpr std::array<int, 4> kLabels = {1478, 1479, 1480, 1481};
constexpr std::array<int, 4> kLabelTexts = {6320, 6325, 6330, 6335};
constexpr int kSoundText = 6310, kLanguageText = 6305, kPortLabelText = 6300;

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

constexpr std::array<Check, kFieldCount> kChecks = {{
    {charge_ok, 9785},
    {[](const std::string& s) { return digits_only(s, 6); }, 9825},
    {[](const std::string& s) { return digits_only(s, 3); }, 9770},
    {[](const std::string& s) { return digits_only(s, 5); }, 9780},
    {[](const std::string& s) { return s.size() <= 3; }, 9815},
}};

constexpr std::array<uint32_t, kFieldCount> kCommands = {q30::DRV_CHARGE_UNIT, q30::DRV_LOCAL_CODE,
                                                        q30::DRV_PABX_PREFIX, q30::DRV_S75, q30::DRV_CURRENCY};
// The order OK sends changed texts in.
constexpr std::array<Field, kFieldCount> kSendOrder = {kCurrency, kChargeUnit, kLocalCode, kPabx, kInternational};

std::string& setting(GeneralSettings& g, Field f)
{
    switch (f) {
    case kChargeUnit: return g.chargeUnit;
    case kLocalCode: return g.localCode;
    case kPabx: return g.pabxPrefix;
    case kInternational: return g.internationalPrefix;
    default: return g.currency;
    }
}

class SettingsDialog : public Window {
public:
    explicit SettingsDialog(MainWindow& main) : Window(main.shell().ui, &main), main_(main), shell_(main.shell())
    {
        create(shell_.dialog_id(kDialog), WindowRole::Modal);
        language_ = shell_.state.language;
        set_items(kLanguagePicture, {kLanguagePictures.begin(), kLanguagePictures.end()});
        set_selection(kLanguagePicture, language_ == 1 ? 1 : 0);
        set_visible(kGermanDisplay, false);
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
                    field_changed(static_cast<Field>(f));
                else if (code == EN_KILLFOCUS)
                    store_controls();
                return;
            }
        if (code != BN_CLICKED)
            return;
        if (id == kSoundCheck)
            store_controls();
        else if (id == kOk)
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

    void read()
    {
        WaitCursor wait(shell_.ui);
        sound_ = main_.general_settings().soundOn;
        shell_.state.soundOn = sound_;
        for (int f = 0; f < kFieldCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            edited_[i] = confirmed_[i] = setting(main_.general_settings(), static_cast<Field>(f));
            changed_[i] = false;
        }
        show_values();
    }
    void show_values()
    {
        set_check(kSoundCheck, sound_ ? 1 : 0);
        for (int f = 0; f < kFieldCount; ++f)
            set_text(kEdits[static_cast<std::size_t>(f)], edited_[static_cast<std::size_t>(f)]);
    }
    void store_controls()
    {
        sound_ = check(kSoundCheck) != 0;
        for (int f = 0; f < kFieldCount; ++f)
            edited_[static_cast<std::size_t>(f)] = text(kEdits[static_cast<std::size_t>(f)]);
    }
    void field_changed(Field f)
    {
        store_controls();
        const auto i = static_cast<std::size_t>(f);
        changed_[i] = true;
        if (kChecks[i].ok(edited_[i]))
            return;
        shell_.ui.message_box(this, shell_.text(kChecks[i].message), shell_.ui.text(ids::kProgramTitle),
                              MessageBoxButtons::Ok, MessageBoxIcon::Warning);
        edited_[i] = confirmed_[i];
        set_text(kEdits[i], edited_[i]);
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
        for (Field f : kSendOrder) {
            const auto i = static_cast<std::size_t>(f);
            if (!changed_[i])
                continue;
            DrvCmd r = blank_record(0, 0, q30::OP_SET);
            q30::record::set_str(r, edited_[i]);
            if (shell_.gate.send(kCommands[i], &r) == 0) {
                confirmed_[i] = edited_[i];
                setting(main_.general_settings(), f) = edited_[i];
            }
        }
        end_modal(kOk);
    }

    MainWindow& main_;
    ShellContext& shell_;
    int language_ = 0;
    bool languageChanged_ = false;
    bool sound_ = false;
    std::array<std::string, kFieldCount> edited_, confirmed_;
    std::array<bool, kFieldCount> changed_{};
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
